#include "monitor/driver_reply_writer.h"

#include <algorithm>
#include <cstring>

#include "monitor/driver_layout.h"
#include "peers/byte_order.h"

using namespace driver_layout;

namespace {
void PutLe32(std::vector<uint8_t>& to, uint32_t value) {
  uint8_t bytes[4];
  WriteLe32(bytes, value);
  to.insert(to.end(), bytes, bytes + 4);
}
void PutLe16(std::vector<uint8_t>& to, uint16_t value) {
  uint8_t bytes[2];
  WriteLe16(bytes, value);
  to.insert(to.end(), bytes, bytes + 2);
}
void PutLe64(std::vector<uint8_t>& to, uint64_t value) {
  uint8_t bytes[8];
  WriteLe64(bytes, value);
  to.insert(to.end(), bytes, bytes + 8);
}
void PutEnd(std::vector<uint8_t>& to, size_t capacity) {
  if (to.size() + 4 <= capacity) PutLe32(to, 0);
}

template <typename Flow, typename PutEntry>
std::vector<uint8_t> WriteFlowBlocks(const std::vector<Flow>& flows, size_t capacity, size_t entrySize,
                                     size_t perBlock, PutEntry putEntry) {
  std::vector<uint8_t> reply;
  perBlock = std::max<size_t>(1, std::min<size_t>(perBlock, 0xFFFF));
  size_t next = 0;
  while (next < flows.size() && reply.size() + kFlowBlockHeader + entrySize <= capacity) {
    size_t room = (capacity - reply.size() - kFlowBlockHeader) / entrySize;
    size_t count = std::min({perBlock, room, flows.size() - next});
    PutLe32(reply, 1);
    reply.insert(reply.end(), 6, 0);
    PutLe16(reply, static_cast<uint16_t>(count));
    for (size_t i = 0; i < count; ++i) putEntry(reply, flows[next + i]);
    next += count;
  }
  PutEnd(reply, capacity);
  return reply;
}
}  // namespace

std::vector<uint8_t> WriteTrafficReply(const std::vector<TrafficCounterRecord>& records, size_t capacity) {
  std::vector<uint8_t> reply;
  for (const TrafficCounterRecord& record : records) {
    if (reply.size() + kTrafficRecordWithCounters > capacity) break;
    PutLe32(reply, kTrafficKindCounters);
    reply.insert(reply.end(), record.mac, record.mac + 6);
    for (uint64_t value : record.counter) PutLe64(reply, value);
  }
  PutEnd(reply, capacity);
  return reply;
}

std::vector<uint8_t> WriteIpv4FlowReply(const std::vector<Ipv4Flow>& flows, size_t capacity, size_t perBlock) {
  return WriteFlowBlocks(flows, capacity, kIpv4FlowEntry, perBlock, [](std::vector<uint8_t>& to, const Ipv4Flow& f) {
    PutLe32(to, f.remote);
    PutLe32(to, f.local);
    PutLe16(to, f.remotePort);
    PutLe16(to, f.localPort);
    PutLe32(to, f.sent);
    PutLe32(to, f.received);
    PutLe32(to, f.flags);
  });
}

std::vector<uint8_t> WriteIpv6FlowReply(const std::vector<Ipv6Flow>& flows, size_t capacity, size_t perBlock) {
  return WriteFlowBlocks(flows, capacity, kIpv6FlowEntry, perBlock, [](std::vector<uint8_t>& to, const Ipv6Flow& f) {
    to.insert(to.end(), f.remote, f.remote + 16);
    to.insert(to.end(), f.local, f.local + 16);
    PutLe16(to, f.remotePort);
    PutLe16(to, f.localPort);
    PutLe32(to, f.sent);
    PutLe32(to, f.received);
    PutLe32(to, 0);
  });
}

std::vector<uint8_t> WriteFlowSizesReply(uint32_t ipv4Size, uint32_t ipv6Size) {
  std::vector<uint8_t> reply;
  PutLe32(reply, ipv4Size);
  PutLe32(reply, ipv6Size);
  return reply;
}

std::vector<uint8_t> WriteTrafficSizeReply(uint32_t size) {
  std::vector<uint8_t> reply;
  PutLe32(reply, size);
  return reply;
}
