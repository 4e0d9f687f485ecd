#include "monitor/driver_replies.h"

#include "monitor/driver_layout.h"
#include "peers/byte_reader.h"

using namespace driver_layout;

bool ReadFlowSizesReply(const uint8_t* reply, size_t returned, uint32_t* ipv4Size, uint32_t* ipv6Size) {
  ByteReader read(reply, returned);
  uint32_t four = read.Le32(), six = read.Le32();
  if (read.Overrun()) return false;
  *ipv4Size = four;
  *ipv6Size = six;
  return true;
}

bool ReadTrafficSizeReply(const uint8_t* reply, size_t returned, uint32_t* size) {
  ByteReader read(reply, returned);
  uint32_t value = read.Le32();
  if (read.Overrun()) return false;
  *size = value;
  return true;
}

size_t WalkTrafficRecords(const uint8_t* reply, size_t returned,
                          const std::function<void(const TrafficReading&)>& visit) {
  ByteReader read(reply, returned);
  while (read.Remaining() >= kTrafficRecordHeader) {
    size_t start = read.Offset();
    uint32_t kind = read.Le32();
    if (kind == kTrafficKindEnd) return start;
    TrafficReading reading = {};
    read.Bytes(reading.mac, sizeof reading.mac);
    if (kind != kTrafficKindCounters) continue;
    if (read.Remaining() < kTrafficRecordWithCounters - kTrafficRecordHeader) return start;
    uint64_t counter[kTrafficCounters];
    for (uint64_t& value : counter) value = read.Le64();
    reading.sent = counter[1] + counter[2] + counter[3];
    reading.received = counter[5] + counter[6] + counter[7];
    visit(reading);
  }
  return read.Offset();
}

namespace {
// The block walk of both flow replies; readEntry reads one entry of entrySize bytes.
template <typename ReadEntry>
size_t WalkFlowBlocks(const uint8_t* reply, size_t returned, size_t entrySize, ReadEntry readEntry) {
  ByteReader read(reply, returned);
  while (read.Remaining() >= kFlowBlockHeader) {
    size_t start = read.Offset();
    if (read.Le32() == 0) return start;
    read.Skip(6);
    uint16_t count = read.Le16();
    for (uint16_t i = 0; i < count; ++i) {
      if (read.Remaining() < entrySize) return read.Offset();
      readEntry(read);
    }
  }
  return read.Offset();
}
}  // namespace

size_t WalkIpv4Flows(const uint8_t* reply, size_t returned, const std::function<void(const Ipv4Flow&)>& visit) {
  return WalkFlowBlocks(reply, returned, kIpv4FlowEntry, [&](ByteReader& read) {
    Ipv4Flow flow;
    flow.remote = read.Le32();
    flow.local = read.Le32();
    flow.remotePort = read.Le16();
    flow.localPort = read.Le16();
    flow.sent = read.Le32();
    flow.received = read.Le32();
    flow.flags = read.Le32();
    visit(flow);
  });
}

size_t WalkIpv6Flows(const uint8_t* reply, size_t returned, const std::function<void(const Ipv6Flow&)>& visit) {
  return WalkFlowBlocks(reply, returned, kIpv6FlowEntry, [&](ByteReader& read) {
    Ipv6Flow flow;
    read.Bytes(flow.remote, 16);
    read.Bytes(flow.local, 16);
    flow.remotePort = read.Le16();
    flow.localPort = read.Le16();
    flow.sent = read.Le32();
    flow.received = read.Le32();
    read.Skip(4);
    visit(flow);
  });
}
