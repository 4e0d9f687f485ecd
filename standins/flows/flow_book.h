// The flow counter's book: the bytes of every TCP and UDP flow over IPv4 and IPv6 since the last
// request of its code, as a driver in the data path counts them, and the flag of an inbound
// request to open a connection. Portable: the helper feeds it packets, the tests feed it bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "monitor/driver_replies.h"

enum class FlowKind { kTcp4 = 0, kUdp4 = 1, kTcp6 = 2, kUdp6 = 3 };

struct FlowKey {
  uint8_t local[16], remote[16];  // IPv4 in the first four bytes, wire order
  uint16_t localPort, remotePort;
  bool operator<(const FlowKey& other) const;
};

class FlowBook {
 public:
  // One packet from the network layer on: outgoing says whether this computer sent it. Packets
  // that are not TCP or UDP, or are cut before their ports, are not counted.
  void CountPacket(const uint8_t* packet, size_t captured, size_t length, bool outgoing);
  // The flows of kind with bytes or flags since the last take, at most maxFlows; they start again.
  std::vector<Ipv4Flow> TakeIpv4(FlowKind kind, size_t maxFlows);
  std::vector<Ipv6Flow> TakeIpv6(FlowKind kind, size_t maxFlows);
  // Forgets every count: what a fresh open of the device sees.
  void Restart();

 private:
  struct Counts {
    uint64_t sent = 0, received = 0;
    uint32_t flags = 0;
  };
  std::map<FlowKey, Counts> flows_[4];
};
