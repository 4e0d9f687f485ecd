// SendARP for the used-address and LAN scans. Wine answers SendARP with ERROR_NOT_SUPPORTED; then
// this asks the Linux kernel instead: a datagram to the address makes the kernel resolve it, and
// its neighbour table ("Z:\proc\net\arp") tells whether a MAC came back.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// As SendARP: NO_ERROR with the MAC in mac and 6 in *macBytes when the host answered. Addresses
// are IPv4 in network order.
DWORD ResolveArp(DWORD destination, DWORD source, uint8_t mac[6], ULONG* macBytes);

// The complete entry for address (dotted text) in a Linux neighbour table's text; false when it
// has none or only an incomplete one.
bool FindArpTableMac(const std::string& table, const std::string& address, uint8_t mac[6]);
