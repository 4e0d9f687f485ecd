// This computer's Linux interfaces as Wine's programs see them, through "Z:\sys\class\net": their
// files, and the adapter GUID Wine names each one with ("{XXXXXXXX-0000-0000-0000-4E6574446576}",
// XXXXXXXX the ifindex). Shared by the fill-ins that stand for the device tree Wine lacks.
#pragma once
#include <string>
#include <vector>

// A name that is one path component: no separators, no wildcards, at most 15 characters.
bool IsPlainInterfaceName(const wchar_t* name);
// The first line-worth of "Z:\sys\class\net\<name>\<leaf>" (at most 63 bytes); false when unreadable.
bool ReadInterfaceFile(const wchar_t* name, const wchar_t* leaf, std::string& text);
// True when "Z:\sys\class\net\<name>\<leaf>" exists (a file or a folder).
bool InterfaceHas(const wchar_t* name, const wchar_t* leaf);
// "" when there is no such interface.
std::wstring AdapterGuidOfInterface(const wchar_t* name);
// The names in "Z:\sys\class\net", loopback included.
std::vector<std::wstring> ListInterfaceNames();
