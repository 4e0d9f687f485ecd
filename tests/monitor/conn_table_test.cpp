// The Connections dialog's table: connections per process, the driver's flow bytes added to them
// (UDP by its socket), "[Not In List]", the filters, the rows as fields and their sorting.
#include "monitor/conn_table.h"

#include <gtest/gtest.h>

#include "monitor/rate_text.h"

namespace {

const uint8_t kLocal[4] = {192, 168, 9, 1}, kPeer[4] = {192, 168, 9, 2}, kAny[4] = {0, 0, 0, 0};
constexpr uint32_t kLocalNumber = 0xC0A80901, kPeerNumber = 0xC0A80902;

std::string Name(uint32_t pid) { return pid == 40 ? "tr,app.exe" : "other.exe"; }

TEST(ConnTable, FlowBytesGoToTheirConnectionAndUdpToItsSocket) {
  ConnTable table;
  table.AddIpv4Connection(kLocal, 5001, kPeer, 80, 40, true);
  table.AddIpv4Connection(kLocal, 5001, kPeer, 80, 40, true);  // listed twice: kept once
  table.AddIpv4Connection(kAny, 5353, kAny, 0, 40, false);     // bound to any address
  table.AddIpv4Connection(kLocal, 6000, kAny, 0, 41, false);
  table.AddIpv4FlowBytes(kLocalNumber, kPeerNumber, 5001, 80, 100, 2000, true);
  table.AddIpv4FlowBytes(kLocalNumber, kPeerNumber, 5001, 80, 1, 2, true);
  table.AddIpv4FlowBytes(kLocalNumber, kPeerNumber, 5353, 9999, 30, 40, false);
  table.AddIpv4FlowBytes(kLocalNumber, kPeerNumber, 6000, 1234, 5, 6, false);
  table.AddIpv4FlowBytes(kLocalNumber, kPeerNumber, 7000, 1, 7, 8, true);  // no such connection
  table.AddIpv4FlowBytes(kLocalNumber, kPeerNumber, 7000, 1, 1, 1, true);

  ASSERT_EQ(table.GroupCount(), 2u);
  const ConnGroup& app = table.Group(0);
  EXPECT_EQ(app.connections, 2u);
  EXPECT_EQ(app.sent, 131u);
  EXPECT_EQ(app.received, 2042u);
  EXPECT_EQ(app.protocolSent[kUdp4], 30u);
  EXPECT_EQ(app.v4[0][0].received, 2002u);
  EXPECT_EQ(table.Group(1).received, 6u);
  ASSERT_TRUE(table.HasUnmatched());
  EXPECT_EQ(table.Unmatched().connections, 1u);
  EXPECT_EQ(table.Unmatched().sent, 8u);

  auto rows = BuildAppRows(table, kUnitBytes, Name);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (RowFields{"tr,app.exe", "65", "1021", "2", "40"}));  // the comma stays in its field
  EXPECT_EQ(rows[2], (RowFields{"[Not In List]", "4", "4", "1", "65535"}));

  table.Clear();
  EXPECT_EQ(table.GroupCount(), 0u);
  EXPECT_FALSE(table.HasUnmatched());
}

TEST(ConnTable, FiltersStartAtAllAndSelectAdapterAndProtocol) {
  ConnTable table;
  EXPECT_EQ(table.Filter().adapter, kAllFilter);
  EXPECT_EQ(table.Filter().protocol, kAllFilter);
  ConnFilter filter;
  filter.protocol = kUdp4;
  filter.adapter = 0;
  filter.adapterIpv4 = "192.168.9.1";
  table.SetFilter(filter);
  table.AddIpv4Connection(kLocal, 5001, kPeer, 80, 40, true);  // TCP: filtered out
  table.AddIpv4Connection(kLocal, 6000, kAny, 0, 41, false);
  table.AddIpv4Connection(kPeer, 6001, kAny, 0, 42, false);    // another adapter
  table.AddIpv4FlowBytes(kPeerNumber, kLocalNumber, 6001, 1, 9, 9, false);  // not counted at all
  EXPECT_EQ(table.GroupCount(), 1u);
  EXPECT_FALSE(table.HasUnmatched());
  table.AddIpv4FlowBytes(kLocalNumber, kPeerNumber, 6002, 1, 9, 9, false);
  EXPECT_TRUE(table.HasUnmatched());
  EXPECT_EQ(BuildAppRows(table, kUnitBytes, Name).size(), 1u);  // no "[Not In List]" under a protocol filter
}

TEST(ConnTable, ConnectionRowsInProtocolOrderWithTagsAndNames) {
  ConnTable table;
  uint8_t six[16] = {0xfe, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5};
  uint8_t zero6[16] = {};
  table.AddIpv6Connection(six, 53, zero6, 0, 40, false);
  table.AddIpv4Connection(kAny, 68, kAny, 0, 40, false);
  table.AddIpv4Connection(kLocal, 5001, kPeer, 445, 40, true);
  std::vector<ConnAdapter> adapters = {{"192.168.9.7", "", false, false}, {"192.168.9.1", "", true, false}};
  auto rows = BuildConnectionRows(table, 40, kUnitKBytes, adapters, [](const uint8_t w[4]) {
    return w[3] == 2 ? std::string("b,host") : std::string();
  });
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (RowFields{"TcpIpv4", "(Private)192.168.9.1:5001", "b,host:445", "0.00 K", "0.00 K"}));
  EXPECT_EQ(rows[1], (RowFields{"UdpIpv4", "localhost:68", "localhost:0", "0.00 K", "0.00 K"}));
  EXPECT_EQ(rows[2][0], "UdpIpv6");
  EXPECT_EQ(rows[2][1], "fe80:0000:0000:0000:0000:0000:0000:0005(53)");
  EXPECT_EQ(rows[2][2], "localhost(0)");
  EXPECT_TRUE(BuildConnectionRows(table, 99, 0, adapters, {}).empty());
}

TEST(ConnTable, SixtyFourBitBytesAreFormattedWhole) {
  ConnTable table;
  table.AddIpv4Connection(kLocal, 1, kPeer, 2, 40, true);
  for (int i = 0; i < 3; ++i) table.AddIpv4FlowBytes(kLocalNumber, kPeerNumber, 1, 2, 0xFFFFFFFFu, 0, true);
  auto rows = BuildAppRows(table, kUnitBytes, Name);
  EXPECT_EQ(rows[0][1], "6442450942");  // 3 x (2^32 - 1) halved
}

TEST(CompareRows, Table) {
  RowFields a = {"alpha", "1.00 K", "9.00 K", "10", "1"}, b = {"beta", "2.00 K", "3.00 K", "9", "2"},
            c = {"gamma", "0", "0", "10", "3"};
  EXPECT_LT(CompareAppRows(a, b, 1), 0);
  EXPECT_GT(CompareAppRows(a, b, -1), 0);
  EXPECT_GT(CompareAppRows(a, b, 3), 0);
  EXPECT_GT(CompareAppRows(a, b, 4), 0);           // connections as numbers: 10 > 9
  EXPECT_LT(CompareAppRows(a, c, 4), 0);           // equal counts: names ascending
  EXPECT_LT(CompareAppRows(a, c, -4), 0);          // ... even descending
  EXPECT_EQ(CompareAppRows(a, b, 7), 0);
  EXPECT_LT(CompareConnectionRows(a, b, 2), 0);
  EXPECT_GT(CompareConnectionRows(a, b, -2), 0);
  EXPECT_EQ(CompareConnectionRows(a, b, 0), 0);
}

}  // namespace
