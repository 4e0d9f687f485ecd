// The protocol's binding list: which virtual adapters sit on which physical adapter, in
// "SYSTEM\CurrentControlSet\Services\QVXPROTO\Parameters\Adapters\<physical GUID>" "UpperBindings".
#pragma once
#include <windows.h>

#include <string>

inline constexpr wchar_t kProtocolServiceKey[] = L"SYSTEM\\CurrentControlSet\\Services\\QVXPROTO";
inline constexpr wchar_t kProtocolAdaptersKey[] = L"SYSTEM\\CurrentControlSet\\Services\\QVXPROTO\\Parameters\\Adapters";

// serviceKey: the protocol's service key opened with full access; closed here.
bool WriteUpperBindings(const std::wstring& physicalGuid, int count, const wchar_t (*virtualGuids)[64], HKEY serviceKey);
// The first subkey's name and its entries ("\Device\" prefix kept), at most 5 of 64 units.
bool ReadUpperBindings(wchar_t physicalGuid[64], wchar_t (*entries)[64], int* count);
