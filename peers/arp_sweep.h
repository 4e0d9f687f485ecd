// The ARP sweep of a scan without a private address: hosts .1 to .249 of the physical adapter's
// subnet are asked for their MAC in parallel (one thread per host, 8 KB stack, started 20 ms
// apart, each waited for at most 20 seconds); the scan then sends its requests to those that
// answered.
#pragma once
#include <cstdint>

struct ArpSweepEntry {
  uint8_t subnet = 0;
  uint8_t ownHost = 0;
  uint8_t target = 0;
  uint8_t answered = 0;
  uint8_t mac[6] = {};
};

struct ArpSweepTable {
  static constexpr int kEntries = 249;
  int count = kEntries;
  ArpSweepEntry entries[kEntries];
};

// interfaceIndex: the physical adapter's, whose ARP cache is flushed first.
void ArpSweep(ArpSweepTable* table, uint8_t subnet, uint8_t ownHost, unsigned long interfaceIndex);
// The sweep, then two ScanRequests (100 ms apart) to every answered host other than the own one.
void ArpScanRequests(ArpSweepTable* table, uint8_t subnet, uint8_t ownHost, unsigned long interfaceIndex,
                     uint16_t scanPort);
