// What the system writes for the miniports: "NetworkAddress", "UpperBindings" and the driver folder.
#include "adapters/miniport_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(NetworkAddress, NicNumberIsTheSixthByte) {
  const uint8_t virtualMac[6] = {0x02, 0x1A, 0x2B, 0x3C, 0x05, 0x00};
  struct Case {
    int nic;
    const wchar_t* text;
  } cases[] = {{1, L"021A2B3C0501"}, {2, L"021A2B3C0502"}, {4, L"021A2B3C0504"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nic);
    EXPECT_EQ(c.text, NetworkAddressText(virtualMac, c.nic));
    uint8_t mac[6];
    NicMac(mac, virtualMac, c.nic);
    // The text read back as the miniport reads it gives the same MAC.
    for (int i = 0; i < 6; ++i) EXPECT_EQ(mac[i], std::stoi(std::wstring(c.text + 2 * i, 2), nullptr, 16));
  }
}

std::vector<std::wstring> Guids(int count) {
  std::vector<std::wstring> guids;
  for (int i = 0; i < count; ++i) guids.push_back(L"{000000C" + std::to_wstring(i) + L"-0000-0000-0000-4E6574446576}");
  return guids;
}

TEST(UpperBindings, RoundTrip) {
  for (int count = 0; count <= 5; ++count) {
    SCOPED_TRACE(count);
    const auto guids = Guids(count);
    const auto list = BuildUpperBindings(guids);
    ASSERT_LE(list.size() * 2, kUpperBindingsBytes);
    ASSERT_GE(list.size(), 1u);
    EXPECT_EQ(0, list.back());
    if (count) {
      EXPECT_EQ(0, list[list.size() - 2]) << "each string ends, then the list";
    }
    const auto entries = ParseUpperBindings(list.data(), list.size());
    ASSERT_EQ(guids.size(), entries.size());
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(L"\\Device\\" + guids[i], entries[i]);
      EXPECT_EQ(guids[i], entries[i].substr(8)) << "the GUID begins at the ninth character";
    }
  }
}

TEST(UpperBindings, NeverPastTheBuffers) {
  const auto list = BuildUpperBindings(Guids(10));
  EXPECT_LE(list.size() * 2, kUpperBindingsBytes);
  EXPECT_EQ(7u, ParseUpperBindings(list.data(), list.size()).size() + 2) << "seven fit 740 bytes, five are read";

  const std::u16string odd = u"\\Device\\{a}\r\n\\Device\\{b}\n" + std::u16string(100, u'x');
  const auto entries = ParseUpperBindings(odd.data(), odd.size());
  ASSERT_EQ(3u, entries.size());
  EXPECT_EQ(L"\\Device\\{a}", entries[0]);
  EXPECT_EQ(63u, entries[2].size()) << "an entry is cut to its 64 units";
}

TEST(DriverFolder, XpOrIntelTakeXp64) {
  struct Case {
    const char* what;
    bool xp;
    const wchar_t* description;
    const wchar_t* folder;
  } cases[] = {
      {"later Windows", false, L"Realtek PCIe GbE Family Controller", L"drv\\64\\"},
      {"XP", true, L"Realtek PCIe GbE Family Controller", L"drv\\XP64\\"},
      {"Intel on Windows 7", false, L"Intel(R) PRO/1000 MT Network Connection", L"drv\\XP64\\"},
      {"intel in lower case inside a word", false, L"Pointel adapter", L"drv\\XP64\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.folder, DriverFolder(c.xp, c.description));
  }
}

}  // namespace
