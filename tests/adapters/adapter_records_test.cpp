// The adapter table's filling rules: the miniport filter, the cap of 21, the PPPoE pseudo record.
#include "adapters/adapter_records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

AdapterListing Listing(uint32_t index, const std::wstring& description) {
  AdapterListing adapter;
  adapter.index = index;
  adapter.ipv4 = L"192.168.1." + std::to_wstring(index);
  adapter.gateway = L"192.168.1.1";
  adapter.description = description;
  adapter.adapterName = L"{0000000" + std::to_wstring(index % 10) + L"-0000-0000-0000-4E6574446576}";
  adapter.mac[5] = static_cast<uint8_t>(index);
  return adapter;
}

TEST(AdapterFilter, LetsThroughByDescription) {
  struct Case {
    const char* what;
    int filter;
    std::wstring description;
    bool passes;
  } cases[] = {
      {"every adapter", kAllAdapters, L"eth0", true},
      {"miniport, first instance", kMiniportsOnly, L"Moravix Virtual Miniport Driver", true},
      {"miniport, numbered instance", kMiniportsOnly, L"Moravix Virtual Miniport Driver #2", true},
      {"physical adapter", kMiniportsOnly, L"Intel(R) PRO/1000 MT Network Connection", false},
      {"other letter case", kMiniportsOnly, L"moravix virtual miniport driver", false},
      {"description cut short", kMiniportsOnly, L"Moravix Virtual Miniport", false},
      {"unknown filter", 2, L"Moravix Virtual Miniport Driver", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.passes, PassesAdapterFilter(c.filter, c.description));
  }
}

TEST(AdapterRecords, KeepsTheFirst21InListOrder) {
  IpAdapterRecord records[kMaxAdapterRecords + 1] = {};
  records[kMaxAdapterRecords].indexText[0] = L'#';  // a guard past the caller's table
  uint32_t count = 0;
  for (uint32_t i = 1; i <= 25; ++i) AddAdapterRecord(records, count, Listing(i, L"eth"));
  EXPECT_EQ(kMaxAdapterRecords, count);
  EXPECT_STREQ(L"1", records[0].indexText);
  EXPECT_STREQ(L"21", records[20].indexText);
  EXPECT_STREQ(L"192.168.1.21", records[20].ipv4);
  const uint8_t mac[6] = {2, 0x1A, 0x2B, 0x3C, 5, 2};
  EXPECT_FALSE(AddPppoePseudoRecord(records, count, mac)) << "no room: the pseudo record is dropped";
  EXPECT_EQ(kMaxAdapterRecords, count);
  EXPECT_EQ(L'#', records[kMaxAdapterRecords].indexText[0]) << "written past the table";
}

TEST(AdapterRecords, PseudoRecordFollowsTheRealOnes) {
  IpAdapterRecord records[kMaxAdapterRecords] = {};
  uint32_t count = 0;
  AddAdapterRecord(records, count, Listing(7, L"eth0"));
  records[1].adapterName[0] = L'k';  // the caller's own content stays
  const uint8_t mac[6] = {2, 0x1A, 0x2B, 0x3C, 5, 2};
  ASSERT_TRUE(AddPppoePseudoRecord(records, count, mac));
  EXPECT_EQ(2u, count);
  const IpAdapterRecord& pseudo = records[1];
  EXPECT_STREQ(L" ", pseudo.indexText);
  EXPECT_STREQ(L"0.0.0.0", pseudo.ipv4);
  EXPECT_STREQ(L"0.0.0.0", pseudo.gateway);
  EXPECT_STREQ(L"Virtual Adapter for PPPoE", pseudo.description);
  EXPECT_EQ(1, pseudo.isPseudo);
  EXPECT_EQ(0, pseudo.defaultRoute);
  EXPECT_EQ(0, std::memcmp(mac, pseudo.mac, 6));
  EXPECT_EQ(L'k', pseudo.adapterName[0]);
  EXPECT_EQ(0, records[0].isPseudo);
}

TEST(AdapterRecords, LongTextsAreCutToTheirFields) {
  IpAdapterRecord records[kMaxAdapterRecords] = {};
  uint32_t count = 0;
  AdapterListing adapter = Listing(3, std::wstring(300, L'd'));
  adapter.adapterName = std::wstring(100, L'g');
  AddAdapterRecord(records, count, adapter);
  EXPECT_EQ(131u, std::wstring(records[0].description).size());
  EXPECT_EQ(63u, std::wstring(records[0].adapterName).size());
}

TEST(PppoeMacText, SixFieldsOrZeros) {
  struct Case {
    const char* what;
    std::wstring text;
    uint8_t mac[6];
  } cases[] = {
      {"as the installer writes it", L"02-1A-2B-3C-05-02", {2, 0x1A, 0x2B, 0x3C, 5, 2}},
      {"lower case", L"02-1a-2b-3c-05-02", {2, 0x1A, 0x2B, 0x3C, 5, 2}},
      {"empty", L"", {}},
      {"five fields", L"02-1A-2B-3C-05", {}},
      {"seven fields", L"02-1A-2B-3C-05-02-03", {}},
      {"no separator", L"021A2B3C0502", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    uint8_t mac[6] = {9, 9, 9, 9, 9, 9};
    PppoeMacFromText(mac, c.text);
    EXPECT_EQ(0, std::memcmp(c.mac, mac, 6));
  }
}

TEST(Ipv6Groups, FourLowerCaseDigitsEachNoShortening) {
  const uint8_t linkLocal[16] = {0xfe, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  EXPECT_EQ(L"fe80:0000:0000:0000:0000:0000:0000:0001", FormatIpv6Groups(linkLocal));
  const uint8_t doc[16] = {0x20, 0x01, 0x0d, 0xb8, 0xAB, 0xCD, 0, 0x12, 0, 0, 0, 0, 0xff, 0xff, 0x0a, 0x0b};
  EXPECT_EQ(L"2001:0db8:abcd:0012:0000:0000:ffff:0a0b", FormatIpv6Groups(doc));
}

}  // namespace
