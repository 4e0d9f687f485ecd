// The Connections dialog's reverse look-up over Winsock: one PTR query for a remote IPv4 address
// to the fixed public DNS server, a wait of at most five seconds, and the name of the first
// answer. Datagrams that are no answer to this query (another ID, another sender) are passed over
// while the wait lasts.
#pragma once
#include <winsock2.h>

#include <cstdint>
#include <string>

constexpr uint32_t kReverseLookupServer = 0x08080808;  // 8.8.8.8, most significant byte first
constexpr uint16_t kDnsPort = 53;
constexpr DWORD kReverseLookupWaitMs = 5000;

// True when an answer came (even one without a name); name holds the name or stays empty. The
// buffer holds kDnsBufferSize bytes; the socket is closed in every case.
bool DnsQueryPtrRecord(uint8_t* buffer, std::string* name, const char* reversedAddress, SOCKET socket,
                       uint32_t server = kReverseLookupServer, DWORD waitMs = kReverseLookupWaitMs);
