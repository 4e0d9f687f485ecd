// The control device's replies read within the bytes returned: size replies, traffic records and
// flow blocks, with short, truncated and malformed replies.
#include "monitor/driver_replies.h"

#include <gtest/gtest.h>

#include <vector>

#include "monitor/driver_layout.h"
#include "monitor/driver_reply_writer.h"

namespace {

TrafficCounterRecord Record(uint8_t last, uint64_t base) {
  TrafficCounterRecord r = {{0x02, 0x1A, 0x2B, 0x3C, 0x05, last}, {}};
  for (int i = 0; i < 8; ++i) r.counter[i] = base + i;
  return r;
}

std::vector<TrafficReading> Readings(const std::vector<uint8_t>& reply, size_t returned) {
  std::vector<TrafficReading> got;
  // An exact copy of the returned part, so that a read past it is caught by the sanitizers.
  std::vector<uint8_t> bytes(reply.begin(), reply.begin() + static_cast<long>(returned));
  WalkTrafficRecords(bytes.data(), bytes.size(), [&](const TrafficReading& r) { got.push_back(r); });
  return got;
}

TEST(SizeReplies, AreUsedOnlyWhenTheReturnedBytesCoverThem) {
  const std::vector<uint8_t> sizes = WriteFlowSizesReply(1000, 2000);
  struct Case {
    const char* what;
    size_t returned;
    bool ok;
  } cases[] = {{"whole", 8, true}, {"one size only", 4, false}, {"seven bytes", 7, false}, {"nothing", 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    uint32_t four = 7, six = 9;
    EXPECT_EQ(ReadFlowSizesReply(sizes.data(), c.returned, &four, &six), c.ok);
    EXPECT_EQ(four, c.ok ? 1000u : 7u);
    EXPECT_EQ(six, c.ok ? 2000u : 9u);
  }
  const std::vector<uint8_t> traffic = WriteTrafficSizeReply(1558);
  uint32_t size = 5;
  EXPECT_FALSE(ReadTrafficSizeReply(traffic.data(), 3, &size));
  EXPECT_EQ(size, 5u);
  EXPECT_TRUE(ReadTrafficSizeReply(traffic.data(), 4, &size));
  EXPECT_EQ(size, 1558u);
}

TEST(TrafficRecords, SumTheirCountersAndStopAtTheReturnedLength) {
  std::vector<uint8_t> reply = WriteTrafficReply({Record(1, 100), Record(2, 1000)}, 4096);
  ASSERT_EQ(reply.size(), 2 * 74 + 4u);
  auto all = Readings(reply, reply.size());
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].mac[5], 1);
  EXPECT_EQ(all[0].sent, 101u + 102 + 103);
  EXPECT_EQ(all[0].received, 105u + 106 + 107);
  EXPECT_EQ(all[1].sent, 1001u + 1002 + 1003);
  struct Case {
    const char* what;
    size_t returned;
    size_t records;
  } cases[] = {{"cut inside the second record", 74 + 73, 1}, {"cut inside the first header", 9, 0},
               {"exactly one record", 74, 1}, {"nothing", 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Readings(reply, c.returned).size(), c.records);
  }
}

TEST(TrafficRecords, SkipOtherKindsAsTenBytesAndEndAtKindZero) {
  std::vector<uint8_t> reply = {5, 0, 0, 0, 1, 2, 3, 4, 5, 6};  // another kind: 10 bytes
  std::vector<uint8_t> counted = WriteTrafficReply({Record(9, 0)}, 74);
  reply.insert(reply.end(), counted.begin(), counted.end());
  reply.insert(reply.end(), {0, 0, 0, 0});
  std::vector<uint8_t> after = WriteTrafficReply({Record(8, 0)}, 74);
  reply.insert(reply.end(), after.begin(), after.end());
  auto got = Readings(reply, reply.size());
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].mac[5], 9);
  EXPECT_TRUE(Readings({0, 0, 0, 0, 1, 2, 3, 4, 5, 6}, 10).empty());
}

TEST(FlowBlocks, AreWalkedWithinTheReturnedBytes) {
  std::vector<Ipv4Flow> flows;
  for (uint32_t i = 0; i < 5; ++i) flows.push_back({0xC0A80002u + i, 0xC0A80001u, 3389, uint16_t(5000 + i), i, 2 * i, 2});
  std::vector<uint8_t> reply = WriteIpv4FlowReply(flows, 1 << 16, 2);  // blocks of 2, 2, 1
  ASSERT_EQ(reply.size(), 3 * 12 + 5 * 24 + 4u);
  struct Case {
    const char* what;
    size_t returned;
    size_t entries;
  } cases[] = {{"whole", reply.size(), 5},
               {"without the end tag", reply.size() - 4, 5},
               {"cut in the last entry", reply.size() - 10, 4},
               {"cut in the second header", 12 + 48 + 6, 2},
               {"header only", 12, 0},
               {"short of a header", 11, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> bytes(reply.begin(), reply.begin() + static_cast<long>(c.returned));
    std::vector<Ipv4Flow> got;
    WalkIpv4Flows(bytes.data(), bytes.size(), [&](const Ipv4Flow& f) { got.push_back(f); });
    ASSERT_EQ(got.size(), c.entries);
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].remote, flows[i].remote);
      EXPECT_EQ(got[i].localPort, flows[i].localPort);
      EXPECT_EQ(got[i].received, flows[i].received);
      EXPECT_EQ(got[i].flags, 2u);
    }
  }
}

TEST(FlowBlocks, AnEntryCountBeyondTheBytesReadsOnlyWholeEntries) {
  std::vector<uint8_t> reply = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF};
  reply.resize(12 + 48 + 47, 0x11);
  std::vector<Ipv6Flow> got;
  WalkIpv6Flows(reply.data(), reply.size(), [&](const Ipv6Flow& f) { got.push_back(f); });
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].localPort, 0x1111);
}

TEST(FlowBlocks, TheWriterNeverPassesTheCapacity) {
  std::vector<Ipv6Flow> flows(10, Ipv6Flow{});
  for (size_t capacity : {0u, 11u, 12u, 60u, 61u, 64u, 500u}) {
    SCOPED_TRACE(capacity);
    std::vector<uint8_t> reply = WriteIpv6FlowReply(flows, capacity);
    EXPECT_LE(reply.size(), capacity);
  }
}

}  // namespace
