// Writes the control device's replies: what the stand-in driver answers, and what the tests and
// the benchmark hand to the client. Each writer stops before a record or entry that would pass
// the capacity, so a reply always fits the caller's buffer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "monitor/driver_replies.h"

struct TrafficCounterRecord {
  uint8_t mac[6];
  uint64_t counter[8];  // c0..c7
};

// Records of kind 64, then a kind-0 end when it fits.
std::vector<uint8_t> WriteTrafficReply(const std::vector<TrafficCounterRecord>& records, size_t capacity);
// Blocks of at most entriesPerBlock entries (tag 1), then a zero tag when it fits.
std::vector<uint8_t> WriteIpv4FlowReply(const std::vector<Ipv4Flow>& flows, size_t capacity,
                                        size_t entriesPerBlock = 1024);
std::vector<uint8_t> WriteIpv6FlowReply(const std::vector<Ipv6Flow>& flows, size_t capacity,
                                        size_t entriesPerBlock = 1024);
std::vector<uint8_t> WriteFlowSizesReply(uint32_t ipv4Size, uint32_t ipv6Size);
std::vector<uint8_t> WriteTrafficSizeReply(uint32_t size);
