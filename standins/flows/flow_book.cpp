#include "standins/flows/flow_book.h"

#include <algorithm>
#include <cstring>

#include "monitor/driver_layout.h"
#include "peers/byte_order.h"

namespace {
constexpr uint8_t kTcp = 6, kUdp = 17;
constexpr uint8_t kSyn = 0x02, kAck = 0x10;

uint32_t Clamp32(uint64_t value) { return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(value); }
}  // namespace

bool FlowKey::operator<(const FlowKey& o) const {
  if (int c = std::memcmp(local, o.local, 16)) return c < 0;
  if (int c = std::memcmp(remote, o.remote, 16)) return c < 0;
  if (localPort != o.localPort) return localPort < o.localPort;
  return remotePort < o.remotePort;
}

void FlowBook::CountPacket(const uint8_t* p, size_t captured, size_t length, bool outgoing) {
  if (captured < 1) return;
  int version = p[0] >> 4;
  size_t transport = 0, addressSize = 0;
  uint8_t protocol = 0;
  const uint8_t *source = nullptr, *destination = nullptr;
  if (version == 4 && captured >= 20) {
    transport = static_cast<size_t>(p[0] & 0x0F) * 4;
    protocol = p[9];
    source = p + 12, destination = p + 16, addressSize = 4;
    if ((ReadBe16(p + 6) & 0x1FFF) != 0) return;  // a later fragment has no ports
  } else if (version == 6 && captured >= 40) {
    transport = 40;
    protocol = p[6];
    source = p + 8, destination = p + 24, addressSize = 16;
  } else {
    return;
  }
  if ((protocol != kTcp && protocol != kUdp) || transport < 20 || captured < transport + 4) return;
  bool tcp = protocol == kTcp;
  FlowKey key = {};
  const uint8_t* localAddress = outgoing ? source : destination;
  const uint8_t* remoteAddress = outgoing ? destination : source;
  std::memcpy(key.local, localAddress, addressSize);
  std::memcpy(key.remote, remoteAddress, addressSize);
  uint16_t sourcePort = ReadBe16(p + transport), destinationPort = ReadBe16(p + transport + 2);
  key.localPort = outgoing ? sourcePort : destinationPort;
  key.remotePort = outgoing ? destinationPort : sourcePort;
  int kind = (version == 6 ? 2 : 0) + (tcp ? 0 : 1);
  Counts& counts = flows_[kind][key];
  (outgoing ? counts.sent : counts.received) += length;
  if (tcp && !outgoing && captured >= transport + 14) {
    uint8_t flags = p[transport + 13];
    if ((flags & kSyn) && !(flags & kAck)) counts.flags |= driver_layout::kFlowFlagInboundRequest;
  }
}

std::vector<Ipv4Flow> FlowBook::TakeIpv4(FlowKind kind, size_t maxFlows) {
  std::vector<Ipv4Flow> taken;
  auto& book = flows_[static_cast<int>(kind)];
  for (auto it = book.begin(); it != book.end();) {
    if (taken.size() < maxFlows && (it->second.sent || it->second.received || it->second.flags)) {
      Ipv4Flow flow;
      flow.remote = ReadBe32(it->first.remote);
      flow.local = ReadBe32(it->first.local);
      flow.remotePort = it->first.remotePort;
      flow.localPort = it->first.localPort;
      flow.sent = Clamp32(it->second.sent);
      flow.received = Clamp32(it->second.received);
      flow.flags = it->second.flags;
      taken.push_back(flow);
    }
    // A flow idle since the last take is forgotten; it comes back with its next packet.
    it = book.erase(it);
  }
  return taken;
}

std::vector<Ipv6Flow> FlowBook::TakeIpv6(FlowKind kind, size_t maxFlows) {
  std::vector<Ipv6Flow> taken;
  auto& book = flows_[static_cast<int>(kind)];
  for (auto it = book.begin(); it != book.end();) {
    if (taken.size() < maxFlows && (it->second.sent || it->second.received)) {
      Ipv6Flow flow;
      std::memcpy(flow.remote, it->first.remote, 16);
      std::memcpy(flow.local, it->first.local, 16);
      flow.remotePort = it->first.remotePort;
      flow.localPort = it->first.localPort;
      flow.sent = Clamp32(it->second.sent);
      flow.received = Clamp32(it->second.received);
      taken.push_back(flow);
    }
    it = book.erase(it);
  }
  return taken;
}

void FlowBook::Restart() {
  for (auto& book : flows_) book.clear();
}
