// What the system writes for the virtual miniports and reads back: each adapter's MAC and its
// "NetworkAddress" text, the protocol's "UpperBindings" list, the driver folder and the description
// that marks a miniport. No windows.h: the native build checks them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr wchar_t kMiniportDescription[] = L"Moravix Virtual Miniport Driver";
inline constexpr wchar_t kMiniportHardwareId[] = L"QVXMINIP";
inline constexpr wchar_t kMiniportComponentId[] = L"qvxminip";
inline constexpr wchar_t kProtocolComponentId[] = L"QVXPROTO";

// True when the description begins with the miniport's description (numbered ones "#2" too).
bool IsMiniportDescription(std::wstring_view description);

// NIC i from 1 up: bytes 0 to 4 of the virtual MAC, then i.
void NicMac(uint8_t mac[6], const uint8_t virtualMac[6], int nic);
// Twelve upper-case hex digits of NicMac.
std::wstring NetworkAddressText(const uint8_t virtualMac[6], int nic);

// "drv\XP64\" on XP or for an adapter whose description holds "intel" in any case, else "drv\64\".
std::wstring DriverFolder(bool xp, std::wstring_view physicalDescription);

// "UpperBindings": "\Device\<guid>" per adapter in NIC order, each NUL-ended, then a final NUL,
// within 740 bytes; an entry that does not fit is left out.
constexpr size_t kUpperBindingsBytes = 740;
std::vector<char16_t> BuildUpperBindings(const std::vector<std::wstring>& virtualGuids);
// The stored strings back (prefix included), CR and LF counted as ends, at most 5 entries of 63
// characters; data is read up to its length, never past it.
constexpr size_t kMaxUpperBindingEntries = 5;
constexpr size_t kUpperBindingEntryUnits = 64;
std::vector<std::wstring> ParseUpperBindings(const char16_t* data, size_t units);
