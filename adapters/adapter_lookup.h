// Looks an adapter up in the IP Helper's list by its GUID name: its interface index (which
// FlushIpNetTable wants, not the WMI index of the physical-adapter table) and whether an address
// has really arrived on it after an address command.
#pragma once
#include <windows.h>

#include <string>

// False when no adapter has that GUID.
bool IpHelperIndexOf(const std::wstring& adapterGuid, DWORD* index);
// Polls for at most waitMs until the adapter lists address among its IPv4 addresses.
bool AdapterHasIpv4(const std::wstring& adapterGuid, const std::wstring& address, DWORD waitMs);
