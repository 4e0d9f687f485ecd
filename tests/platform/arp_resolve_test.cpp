#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/arp_resolve.h"

namespace {

const std::string kTable =
    "IP address       HW type     Flags       HW address            Mask     Device\n"
    "192.168.5.2      0x1         0x2         d2:d4:52:7e:28:35     *        eth0\n"
    "192.168.5.3      0x1         0x0         00:00:00:00:00:00     *        eth0\n"
    "192.168.5.4      0x1         0x6         96:df:33:7c:37:ed     *        eth0\n"
    "192.168.5.40     0x1         0x2         00:00:00:00:00:00     *        eth0\n"
    "192.168.5.5      0x1         0x2         zz:df:33:7c:37        *        eth0\n";

TEST(ArpTable, CompleteEntriesOnly) {
  const struct {
    const char* what;
    const char* address;
    bool found;
    uint8_t mac[6];
  } cases[] = {
      {"complete", "192.168.5.2", true, {0xd2, 0xd4, 0x52, 0x7e, 0x28, 0x35}},
      {"incomplete: no answer yet", "192.168.5.3", false, {}},
      {"complete among other flags", "192.168.5.4", true, {0x96, 0xdf, 0x33, 0x7c, 0x37, 0xed}},
      {"no entry; a longer address is another", "192.168.5.1", false, {}},
      {"complete but all zeros", "192.168.5.40", false, {}},
      {"a MAC that does not read", "192.168.5.5", false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    uint8_t mac[6] = {};
    EXPECT_EQ(FindArpTableMac(kTable, c.address, mac), c.found);
    if (c.found) {
      EXPECT_EQ(0, std::memcmp(mac, c.mac, 6));
    }
  }
  uint8_t mac[6];
  EXPECT_FALSE(FindArpTableMac("", "192.168.5.2", mac));
}

}  // namespace
