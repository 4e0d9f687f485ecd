// The plan's pure rules: which sequence runs, the settings-file texts, the starting static addresses.
#include "adapters/install_plan.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallRoute, ByLinkTypeAndWireless) {
  using R = InstallRoute;
  struct Case {
    const char* what;
    bool wireless;
    int linkType;
    R::Kind kind;
    bool noAddress;
    int host;
  } cases[] = {
      {"DHCP", false, kLinkDhcp, R::kVirtualAdapters, false, 7},
      {"PPPOE", false, kLinkPppoe, R::kVirtualAdapters, false, 7},
      {"static shared", false, kLinkStaticDhcpShared, R::kVirtualAdapters, false, 7},
      {"static only", false, kLinkStaticOnly, R::kVirtualAdapters, false, 7},
      {"physical", false, kLinkPhysical, R::kWithoutDriver, false, 7},
      {"direct 1", false, kLinkDirectConnIp1, R::kWithoutDriver, false, 251},
      {"direct 2", false, kLinkDirectConnIp2, R::kWithoutDriver, false, 252},
      {"router DHCP", false, kLinkRouterDhcp, R::kWithoutDriver, true, 7},
      {"wireless whatever the type", true, kLinkDhcp, R::kWithoutDriver, true, 7},
      {"unknown type", false, 8, R::kNothing, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const R route = ChooseInstallRoute(c.wireless, c.linkType, 7);
    EXPECT_EQ(c.kind, route.kind);
    if (c.kind == R::kNothing) continue;
    EXPECT_EQ(c.noAddress, route.noAddress);
    EXPECT_EQ(c.host, route.host);
  }
}

TEST(InstallTexts, AddressesAndMacs) {
  const uint8_t physical[6] = {0x00, 0x1a, 0x2B, 0x3C, 0x4D, 0x5E};
  const uint8_t virtualMac[6] = {0x02, 0x1A, 0x2B, 0x3C, 0x05, 0x00};
  EXPECT_EQ(L"192.168.5.7", PrivateAddressText(5, 7));
  EXPECT_EQ(L"001A2B3C4D5E", PhysicalMacText(physical));
  EXPECT_EQ(L"1A-2B-3C-05", VirtualMacText(virtualMac));
  EXPECT_EQ(L"02-1A-2B-3C-05-02", PppoeMacText(virtualMac));
}

TEST(StaticAddressPlan, ByLinkTypeAndCount) {
  struct Case {
    const char* what;
    int linkType;
    int count;
    std::vector<std::pair<int, std::wstring>> addresses;
  } cases[] = {
      {"shared, N = 4", kLinkStaticDhcpShared, 4, {{2, L"192.168.11.100"}, {3, L"192.168.12.100"}}},
      {"shared, N = 2: none", kLinkStaticDhcpShared, 2, {}},
      {"only, N = 4", kLinkStaticOnly, 4, {{0, L"192.168.11.100"}, {2, L"192.168.12.100"}, {3, L"192.168.13.100"}}},
      {"only, N = 2", kLinkStaticOnly, 2, {{0, L"192.168.11.100"}}},
      {"DHCP", kLinkDhcp, 4, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto plan = StaticAddressPlan(c.linkType, c.count);
    ASSERT_EQ(c.addresses.size(), plan.size());
    for (size_t i = 0; i < plan.size(); ++i) {
      EXPECT_EQ(c.addresses[i].first, plan[i].nic);
      EXPECT_EQ(c.addresses[i].second, plan[i].address);
      EXPECT_EQ(c.addresses[i].second.substr(0, c.addresses[i].second.size() - 3) + L"1", plan[i].gateway);
    }
  }
}

}  // namespace
