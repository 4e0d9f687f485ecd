// The wizard's address plan: S from the network name, H and the virtual MAC from the physical
// MAC, the free host the scan picks, and the environment the last step makes of its controls.
#include "adapters/address_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "adapters/install_plan.h"
#include "adapters/wizard_choices.h"

namespace {

TEST(SubnetFromNetworkName, HashedAndForcedNames) {
  struct Case {
    const char* what;
    const wchar_t* name;
    int subnet;
  } cases[] = {
      {"the default name", L"mynet", 69},
      {"case counts", L"MyNet", 73},
      {"empty", L"", 20},
      {"forced", L"[123]", 123},
      {"forced zero", L"[0]", 0},
      {"forced beyond a byte", L"[300]", 44},
      {"two characters are hashed", L"[]", 70},
      {"a letter inside is hashed", L"[12a]", 190},
      {"a space inside is hashed", L"[ 5]", 145},
      {"17 characters: the 17th is not read", L"abcdefghijklmnopq", 172},
      {"a forced name cut at 16 loses its bracket", L"[123456789012345]", 67},
      {"beyond 2^31 counts as 2147483647", L"[2147483904]", 255},
      {"far beyond", L"[99999999999999]", 255},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.subnet, SubnetFromNetworkName(c.name));
  }
}

TEST(HostAndVirtualMac, FromThePhysicalMac) {
  struct Case {
    const char* what;
    uint8_t mac[6];
    int host;
  } cases[] = {
      {"all zeros", {0, 0, 0, 0, 0, 0}, 1},
      {"all FF", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 64},
      {"a real one", {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e}, 89},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.host, HostFromMac(c.mac));
  }
  const uint8_t physical[6] = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
  uint8_t proposed[6];
  ProposeVirtualMac(proposed, physical, 69);
  const uint8_t expected[6] = {0x02, 0x3c, 0x4d, 0x5e, 69, 0x00};
  EXPECT_EQ(0, memcmp(expected, proposed, 6));
}

TEST(PickFreeHost, UsedPlannedHostMoves) {
  bool used[kScanHosts] = {};
  struct Case {
    const char* what;
    std::vector<int> usedHosts;
    int planned;
    uint32_t tick;
    FreeHostPick expected;
  } cases[] = {
      {"free planned host stays", {5}, 7, 0, {7, false, false}},
      {"free 249 stays", {}, 249, 3, {249, false, false}},
      {"used: first free for tick 0", {1, 7}, 7, 0, {2, true, false}},
      {"used: tick picks the (r+1)-th free", {1, 7}, 7, 2, {4, true, false}},
      {"used: tick wraps over the free count", {7}, 7, 247 + 1, {2, true, false}},
      {"used 249 is replaced from 1..248", {249}, 249, 247, {248, true, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::fill(std::begin(used), std::end(used), false);
    for (int h : c.usedHosts) used[h - 1] = true;
    FreeHostPick pick = PickFreeHost(used, c.planned, c.tick);
    EXPECT_EQ(c.expected.host, pick.host);
    EXPECT_EQ(c.expected.changed, pick.changed);
    EXPECT_EQ(c.expected.noFreeHost, pick.noFreeHost);
  }
  // Every pickable host used: no division by zero, the plan is kept and said so.
  std::fill(std::begin(used), std::end(used), true);
  used[248] = false;  // 249 free, never picked
  FreeHostPick none = PickFreeHost(used, 17, 12345);
  EXPECT_EQ(17, none.host);
  EXPECT_FALSE(none.changed);
  EXPECT_TRUE(none.noFreeHost);
}

TEST(WizardChoices, LinkTypeCountAndKeyword) {
  struct Case {
    const char* what;
    int linkMode, environment;
    bool shared;
    const wchar_t* countEntry;
    int linkType, count;
    const wchar_t* keyword;
  } cases[] = {
      {"default: DHCP with None", kModeCorvane, kEnvDhcp, false, L"None", kLinkDhcp, 2, L"DHCP"},
      {"DHCP with 3", kModeCorvane, kEnvDhcp, false, L"3", kLinkDhcp, 5, L"DHCP"},
      {"PPPoE is always 3", kModeCorvane, kEnvPppoe, false, L"N/A", kLinkPppoe, 3, L"PPPOE"},
      {"static unchecked", kModeCorvane, kEnvStatic, false, L"None", kLinkStaticOnly, 2, L"STATIC_ONLY"},
      {"static shared", kModeCorvane, kEnvStatic, true, L"1", kLinkStaticDhcpShared, 3, L"STATIC_DHCP_SHARED"},
      {"Dual-LAN", kModeDualLan, -1, false, L"", kLinkPhysical, 0, L"PHYSICAL"},
      {"direct IP 1", kModeDirectConn, 0, false, L"", kLinkDirectConnIp1, 0, L"DIRECT_CONN_IP_1"},
      {"direct IP 2", kModeDirectConn, 1, false, L"", kLinkDirectConnIp2, 0, L"DIRECT_CONN_IP_2"},
      {"DHCP Router", kModeRouterDhcp, -1, false, L"", kLinkRouterDhcp, 0, L"ROUTER_DHCP"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    int linkType = LinkTypeFromChoices(c.linkMode, c.environment, c.shared);
    EXPECT_EQ(c.linkType, linkType);
    EXPECT_EQ(c.count, NicCountFor(linkType, ExtraAdaptersFromEntry(c.countEntry)));
    EXPECT_EQ(std::wstring(c.keyword), WanTypeKeyword(false, linkType));
  }
  EXPECT_EQ(L"WIFI", WanTypeKeyword(true, -1));
  EXPECT_EQ(-1, LinkTypeFromChoices(kModeCorvane, -1, false));
}

TEST(WizardChoices, ScanOnlyForWiredCorvaneAndDualLan) {
  EXPECT_TRUE(ScansUsedAddresses(false, kModeCorvane));
  EXPECT_TRUE(ScansUsedAddresses(false, kModeDualLan));
  EXPECT_FALSE(ScansUsedAddresses(false, kModeDirectConn));
  EXPECT_FALSE(ScansUsedAddresses(false, kModeRouterDhcp));
  EXPECT_FALSE(ScansUsedAddresses(true, -1));
}

}  // namespace
