// The IPv4 adapter enumeration from the IP Helper into the callers' tables of 21 records, with the
// miniport filter and the PPPoE pseudo record, and the IPv6 text of one interface.
#pragma once
#include <cstdint>

#include "adapters/adapter_records.h"

bool EnumAdapters(IpAdapterRecord* records, uint32_t* count, int filter, const uint8_t pppoeMac[6], bool addPseudo);
// The same; then the pseudo record when "PppoeAdaptMacAddr.txt" is in the program folder.
bool EnumAdaptersWithPppoe(IpAdapterRecord* records, uint32_t* count, int filter);
// The first IPv6 unicast address of the interface with that IPv4 index into 64 units; false when
// it has none (the text is then untouched).
bool GetInterfaceIpv6Text(wchar_t* text, size_t capacity, uint32_t interfaceIndex);
