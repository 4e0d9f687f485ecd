// SendARP, and where Wine answers ERROR_NOT_SUPPORTED, the same probe by the Linux kernel: a
// datagram from the source address makes the kernel send its ARP requests, and its neighbour table,
// which Wine's GetIpNetTable shows, then holds the answer's MAC.
#pragma once
#include <winsock2.h>
#include <iphlpapi.h>

// As SendARP: NO_ERROR with the MAC in mac and *length 6, or an error (ERROR_BAD_NET_NAME when
// nothing answered within about three and a half seconds).
DWORD SendArpProbe(IPAddr destination, IPAddr source, void* mac, ULONG* length);

// The neighbour entry of destination when it holds a resolved MAC; false otherwise.
bool ResolvedNeighbour(IPAddr destination, BYTE mac[6]);
