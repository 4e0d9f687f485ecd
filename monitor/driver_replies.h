// Reads the control device's replies within the bytes it returned: the two size replies, the
// traffic records and the flow blocks. A partial record or entry at the end is ignored; nothing
// past the returned length is ever read.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

struct TrafficReading {
  uint8_t mac[6];
  uint64_t sent;      // c1 + c2 + c3
  uint64_t received;  // c5 + c6 + c7
};

struct Ipv4Flow {
  uint32_t remote;  // most significant byte is the first octet
  uint32_t local;
  uint16_t remotePort;
  uint16_t localPort;
  uint32_t sent;
  uint32_t received;
  uint32_t flags;
};

struct Ipv6Flow {
  uint8_t remote[16];  // wire order
  uint8_t local[16];
  uint16_t remotePort;
  uint16_t localPort;
  uint32_t sent;
  uint32_t received;
};

// False unless the returned bytes cover the reply's fields; the outputs change only on true.
bool ReadFlowSizesReply(const uint8_t* reply, size_t returned, uint32_t* ipv4Size, uint32_t* ipv6Size);
bool ReadTrafficSizeReply(const uint8_t* reply, size_t returned, uint32_t* size);

// Calls visit for every record with counters; returns the number of bytes walked.
size_t WalkTrafficRecords(const uint8_t* reply, size_t returned,
                          const std::function<void(const TrafficReading&)>& visit);
size_t WalkIpv4Flows(const uint8_t* reply, size_t returned, const std::function<void(const Ipv4Flow&)>& visit);
size_t WalkIpv6Flows(const uint8_t* reply, size_t returned, const std::function<void(const Ipv6Flow&)>& visit);
