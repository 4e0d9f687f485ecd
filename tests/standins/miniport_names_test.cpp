// The naming rules that tie a virtual miniport's GUID, Linux interface and MAC together.
#include "standins/driver/miniport_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MiniportNames, GuidAndIndexRoundTrip) {
  for (uint32_t index : {1u, 2u, 0x1000u, 0xABCDEFu, 0x7FFFFFFFu}) {
    SCOPED_TRACE(index);
    uint32_t back = 0;
    ASSERT_TRUE(IndexOfAdapterGuid(AdapterGuidOfIndex(index), &back));
    EXPECT_EQ(back, index);
    ASSERT_TRUE(IndexOfMiniportInterfaceName(MiniportInterfaceName(index), &back));
    EXPECT_EQ(back, index);
  }
  EXPECT_EQ(AdapterGuidOfIndex(0x1000), L"{00001000-0000-0000-0000-4E6574446576}");
  EXPECT_EQ(MiniportInterfaceName(4096), L"qvx4096");
}

TEST(MiniportNames, GuidTexts) {
  struct Case {
    const char* what;
    const wchar_t* guid;
    bool valid;
    uint32_t index;
  } cases[] = {
      {"upper case", L"{0000100A-0000-0000-0000-4E6574446576}", true, 0x100A},
      {"lower case", L"{0000100a-0000-0000-0000-4e6574446576}", true, 0x100A},
      {"no braces", L"0000100A-0000-0000-0000-4E6574446576", false, 0},
      {"another tail", L"{0000100A-0000-0000-0000-4E6574446577}", false, 0},
      {"a product GUID", L"{4D36E972-E325-11CE-BFC1-08002BE10318}", false, 0},
      {"index zero", L"{00000000-0000-0000-0000-4E6574446576}", false, 0},
      {"beyond Linux's indexes", L"{80000000-0000-0000-0000-4E6574446576}", false, 0},
      {"not hex", L"{0000G00A-0000-0000-0000-4E6574446576}", false, 0},
      {"too long", L"{0000100A-0000-0000-0000-4E6574446576}x", false, 0},
      {"empty", L"", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    uint32_t index = 0;
    EXPECT_EQ(IndexOfAdapterGuid(c.guid, &index), c.valid);
    if (c.valid) {
      EXPECT_EQ(index, c.index);
    }
  }
}

TEST(MiniportNames, InterfaceNames) {
  struct Case {
    const char* what;
    const wchar_t* name;
    bool miniport;
    bool plain;
  } cases[] = {
      {"a miniport's", L"qvx4096", true, true},
      {"leading zero", L"qvx04096", false, true},
      {"prefix alone", L"qvx", false, true},
      {"physical", L"eth0", false, true},
      {"beyond an int", L"qvx2147483648", false, true},
      {"with a blank", L"qvx 1", false, false},
      {"shell text", L"eth0;reboot", false, false},
      {"quote", L"a'b", false, false},
      {"dot dot", L"..", false, false},
      {"too long for Linux", L"abcdefghijklmnop", false, false},
      {"empty", L"", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    uint32_t index = 0;
    EXPECT_EQ(IndexOfMiniportInterfaceName(c.name, &index), c.miniport);
    EXPECT_EQ(IsPlainInterfaceName(c.name), c.plain);
  }
}

TEST(MiniportNames, NetworkAddresses) {
  struct Case {
    const char* what;
    const wchar_t* value;
    const char* mac;  // nullptr: refused
  } cases[] = {
      {"as the installer writes it", L"021A2B3C0501", "02:1a:2b:3c:05:01"},
      {"lower case", L"021a2b3c05ff", "02:1a:2b:3c:05:ff"},
      {"multicast", L"011A2B3C0501", nullptr},
      {"too short", L"021A2B3C05", nullptr},
      {"with dashes", L"02-1A-2B-3C-05-01", nullptr},
      {"not hex", L"021A2B3C05G1", nullptr},
      {"empty", L"", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string mac;
    EXPECT_EQ(MacOfNetworkAddress(c.value, &mac), c.mac != nullptr);
    if (c.mac) {
      EXPECT_EQ(mac, c.mac);
    }
  }
  EXPECT_EQ(DefaultMacOfIndex(0x1000), "02:4e:00:00:10:00");
}

}  // namespace
