// How a virtual miniport is named on both sides: the adapter GUID that Wine derives from a Linux
// interface index, the interface name made from that index, and the MAC from "NetworkAddress".
// Pure text rules, shared by the link service and the stand-in tools.
#pragma once
#include <cstdint>
#include <string>

// "{XXXXXXXX-0000-0000-0000-4E6574446576}", XXXXXXXX the index in upper-case hex.
std::wstring AdapterGuidOfIndex(uint32_t index);
// The index of such a GUID (either letter case); false for any other text.
bool IndexOfAdapterGuid(const std::wstring& guid, uint32_t* index);

// "qvx" and the decimal index: one name per index, never reused for another one.
std::wstring MiniportInterfaceName(uint32_t index);
bool IndexOfMiniportInterfaceName(const std::wstring& name, uint32_t* index);

// "021A2B3C0501" (12 hex digits, either case) as "02:1a:2b:3c:05:01"; false for anything else, and
// for a group or multicast address, which no adapter may take.
bool MacOfNetworkAddress(const std::wstring& networkAddress, std::string* mac);
// The MAC of a miniport that was given no "NetworkAddress": locally administered, from its index.
std::string DefaultMacOfIndex(uint32_t index);

// A Linux interface name that is safe to hand to the shell: 1 to 15 of [A-Za-z0-9_.-], not "."/"..".
bool IsPlainInterfaceName(const std::wstring& name);
