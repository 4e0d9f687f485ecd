// What the address dialogs make of their edits and files: the private host number of CChgIp, the
// hex octets of CChgMac, the old MAC from "VirtualMacAddr.txt", and the entries of CChgStaticIp's
// adapter combo with the octet texts it may put into a command line. Pure rules, checked by tables.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/adapter_records.h"

// A host number typed into CChgIp: decimal 1..249 only (0, 250..255 and the broadcast are no
// private host, and a typed 300 must not quietly become 44); false otherwise.
bool ParsePrivateHost(std::wstring_view text, uint8_t* host);
// The first two characters as a hex byte; 0 when either is no hex digit or missing.
uint8_t HexOctetFromEdit(std::wstring_view text);
// A line of exactly four "-"-separated parts, each part's first two characters a hex byte.
bool OctetsFromVirtualMacLine(std::wstring_view line, uint8_t octets[4]);
// "%02X-%02X-%02X-%02X".
std::wstring VirtualMacLine(const uint8_t octets[4]);

// One entry of CChgStaticIp's combo: its text and the record it stands for.
struct StaticAdapterEntry {
  std::wstring text;  // "%d - %s": the record's number (position + 1) and its IPv4 address
  uint32_t record;    // position in the enumeration
};
// Every record but the one holding the private address, the PPPoE pseudo record, and the clone
// adapter (unless STATIC_ONLY); numbers keep the records' positions, so they may have gaps.
std::vector<StaticAdapterEntry> StaticAdapterEntries(const IpAdapterRecord* records, uint32_t count,
                                                     std::wstring_view privateIp, std::wstring_view cloneGuid,
                                                     bool staticOnly);
// An octet as it may go into an address command: 1 to 3 decimal digits of at most 255.
bool IsOctetText(std::wstring_view text);
// "a.b.c.d" split into four parts; "0" for each part when it has not four.
std::vector<std::wstring> AddressParts(std::wstring_view address);
