#include <gtest/gtest.h>

#include "peers/host_status.h"
#include "peers/magic_packet.h"
#include "peers/row_keys.h"
#include "peers/scan_plan.h"

namespace {

// One tick: the link states from this tick's alive flags, then the countdowns.
struct Tick {
  bool alive;
  int32_t state;      // expected after the tick
  int32_t countdown;
  bool linkUp;
};

void RunTicks(HostStatus& status, int host, const std::vector<Tick>& ticks) {
  uint8_t listed[256] = {};
  uint8_t none[256] = {};
  listed[host] = 1;
  for (size_t i = 0; i < ticks.size(); ++i) {
    SCOPED_TRACE("tick " + std::to_string(i + 1));
    uint8_t alive[256] = {};
    alive[host] = ticks[i].alive;
    status.UpdateLinks(none, listed, alive, 1);
    status.StepWol();
    EXPECT_EQ(status.wolState[host], ticks[i].state);
    EXPECT_EQ(status.wolCountdown[host], ticks[i].countdown);
    EXPECT_EQ(status.linkUp[host], ticks[i].linkUp);
  }
}

TEST(HostStatus, AliveStateTransitions) {
  HostStatus status;
  RunTicks(status, 5, {{false, kWolNone, 0, false}, {true, kWolNone, 0, true}, {false, kWolNone, 0, false}});

  status.StartBooting(5);
  RunTicks(status, 5, {{false, kWolBooting, 179, false}, {false, kWolBooting, 178, false}, {true, kWolOk, 0, true},
                       {false, kWolOk, 0, false}});

  status.StartBooting(5);  // a second wake-up boots again with the full count
  std::vector<Tick> silent(kWolBootTicks - 1);
  for (int i = 0; i < kWolBootTicks - 1; ++i) silent[i] = {false, kWolBooting, kWolBootTicks - 1 - i, false};
  silent.push_back({false, kWolFailed, 0, false});
  silent.push_back({true, kWolFailed, 0, true});  // failed stays failed until cleared
  RunTicks(status, 5, silent);

  status.ClearWol();
  RunTicks(status, 5, {{true, kWolNone, 0, true}});
}

TEST(HostStatus, OwnAndUnknownHostsKeepTheirLinks) {
  HostStatus status;
  uint8_t table[256] = {}, listed[256] = {}, alive[256] = {};
  table[7] = 1;   // answered the scan, not in the list yet
  listed[1] = 1;  // the own host
  alive[1] = alive[7] = alive[9] = 1;  // 9 is in neither
  status.UpdateLinks(table, listed, alive, 1);
  EXPECT_TRUE(status.linkUp[7]);
  EXPECT_FALSE(status.linkUp[1]);
  EXPECT_FALSE(status.linkUp[9]);
}

TEST(ScanPlan, ModeFromThePrivateAddress) {
  const struct {
    const char* what;
    uint8_t privateIp[4];
    uint8_t physicalIp[4];
    bool arpSweep;
    uint8_t net;
    uint8_t ownHost;
  } cases[] = {
      {"private address: broadcast on its subnet", {192, 168, 5, 12}, {10, 0, 0, 9}, false, 5, 12},
      {"0.0.0.0: ARP sweep of the physical subnet", {0, 0, 0, 0}, {192, 168, 1, 33}, true, 1, 33},
      {"0.0.0.0 without a physical address found", {0, 0, 0, 0}, {0, 0, 0, 0}, true, 0, 0},
      {"only the last octet zero is an address", {192, 168, 5, 0}, {0, 0, 0, 0}, false, 5, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ScanPlan plan = ChooseScanPlan(c.privateIp, c.physicalIp);
    EXPECT_EQ(plan.arpSweep, c.arpSweep);
    EXPECT_EQ(plan.net, c.net);
    EXPECT_EQ(plan.ownHost, c.ownHost);
  }
}

TEST(MagicPacket, SixFfAndSixteenMacs) {
  const uint8_t mac[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
  MagicPacket packet;
  ASSERT_TRUE(BuildMagicPacket(mac, &packet));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(packet[i], 0xFF);
  for (int copy = 0; copy < 16; ++copy) {
    for (int i = 0; i < 6; ++i) EXPECT_EQ(packet[6 + 6 * copy + i], mac[i]);
  }
  const uint8_t zero[6] = {};
  EXPECT_FALSE(BuildMagicPacket(zero, &packet)) << "a MAC of all zeros wakes nothing";
}

TEST(RowKeys, SortsByCodeUnits) {
  const RowKey a{{L"B", L"192.168.3.10", L"Yes"}};
  const RowKey b{{L"a", L"192.168.3.9", L"No"}};
  const RowKey shortKey{{L"B"}};
  const struct {
    const char* what;
    const RowKey& first;
    const RowKey& second;
    int32_t key;
    int expected;
  } cases[] = {
      {"upper case before lower", a, b, 1, -1},
      {"descending", a, b, -1, 1},
      {"IP texts sort as text: .10 before .9", a, b, 2, -1},
      {"link column", a, b, 3, 1},
      {"equal", a, a, 2, 0},
      {"a missing field is empty", shortKey, a, 2, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(CompareRowKeys(c.first, c.second, c.key), c.expected);
  }
  EXPECT_EQ(NextSortKey(1, 2), 3);
  EXPECT_EQ(NextSortKey(3, 2), -3);
  EXPECT_EQ(NextSortKey(-3, 2), 3);
}

}  // namespace
