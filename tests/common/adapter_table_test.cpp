#include "common/adapter_table.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using Mac = std::array<uint8_t, 6>;

Mac MacOf(const AdapterTable& table, const wchar_t* name) {
  Mac mac;
  mac.fill(0xee);
  table.GetMac(mac.data(), name);
  return mac;
}

class AdapterTableTest : public testing::Test {
 protected:
  void SetUp() override {
    table_.Clear();
    const uint8_t first[6] = {0x02, 0, 0, 0, 0, 0x01};
    const uint8_t twin[6] = {0x02, 0, 0, 0, 0, 0x02};
    const uint8_t other[6] = {0x02, 0, 0, 0, 0, 0x03};
    table_.Add(7, L"Ethernet Adapter", first);
    table_.Add(9, L"Ethernet Adapter", twin);
    table_.Add(11, L"eth1", other);
  }
  AdapterTable table_;
};

TEST_F(AdapterTableTest, LookupsTakeTheFirstExactMatch) {
  struct Case {
    const wchar_t* name;
    int index;
    Mac mac;
  };
  const Case cases[] = {
      {L"Ethernet Adapter", 7, {0x02, 0, 0, 0, 0, 0x01}},  // not its twin
      {L"eth1", 11, {0x02, 0, 0, 0, 0, 0x03}},
      // Case counts, and so does every character.
      {L"ethernet adapter", 1, {0, 0, 0, 0, 0, 0}},
      {L"ETH1", 1, {0, 0, 0, 0, 0, 0}},
      {L"eth", 1, {0, 0, 0, 0, 0, 0}},
      {L"eth1 ", 1, {0, 0, 0, 0, 0, 0}},
      {L"", 1, {0, 0, 0, 0, 0, 0}},
      {nullptr, 1, {0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    std::wstring shown = c.name ? c.name : L"(null)";
    EXPECT_EQ(table_.GetIndex(c.name), c.index) << testing::PrintToString(shown);
    EXPECT_EQ(MacOf(table_, c.name), c.mac) << testing::PrintToString(shown);
    EXPECT_EQ(table_.GetLinkFlag(c.name), 0) << testing::PrintToString(shown);
  }
}

TEST_F(AdapterTableTest, LinkFlagsReachOnlyTheFirstMatch) {
  struct Step {
    const wchar_t* name;
    uint8_t link;
    std::array<uint8_t, 3> links;  // of the three entries afterwards
  };
  const Step steps[] = {
      {L"Ethernet Adapter", 1, {1, 0, 0}},
      {L"eth1", 1, {1, 0, 1}},
      {L"not there", 1, {1, 0, 1}},
      {L"ETH1", 0, {1, 0, 1}},
      {L"Ethernet Adapter", 0, {0, 0, 1}},
  };
  for (const Step& s : steps) {
    table_.SetLinkFlag(s.name, s.link);
    std::array<uint8_t, 3> links = {table_.Entry(0).link, table_.Entry(1).link, table_.Entry(2).link};
    EXPECT_EQ(links, s.links) << "after " << testing::PrintToString(std::wstring(s.name)) << " "
                              << int(s.link);
  }
  EXPECT_EQ(table_.GetLinkFlag(L"eth1"), 1);
  EXPECT_EQ(table_.GetLinkFlag(L"Ethernet Adapter"), 0);
}

TEST(AdapterTable, KeepsTheFirstTwentyAdapters) {
  AdapterTable table;
  const uint8_t mac[6] = {};
  for (int i = 0; i < 25; ++i) {
    std::wstring name = L"nic" + std::to_wstring(i);
    EXPECT_EQ(table.Add(100 + i, name.c_str(), mac), i < AdapterTable::kMaxEntries) << i;
  }
  EXPECT_EQ(table.Count(), 20);
  EXPECT_EQ(table.GetIndex(L"nic19"), 119);
  EXPECT_EQ(table.GetIndex(L"nic20"), 1);
  table.Clear();
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.GetIndex(L"nic0"), 1);
}

TEST(AdapterTable, LongNamesAreCutTo127Characters) {
  AdapterTable table;
  const uint8_t mac[6] = {1, 2, 3, 4, 5, 6};
  const std::wstring exact(127, L'a'), longer = std::wstring(127, L'b') + L"tail";
  table.Add(5, exact.c_str(), mac);
  table.Add(6, longer.c_str(), mac);
  table.Add(7, nullptr, mac);
  EXPECT_EQ(std::wstring(table.Entry(0).Name), exact);
  EXPECT_EQ(std::wstring(table.Entry(1).Name), longer.substr(0, 127));
  EXPECT_EQ(std::wstring(table.Entry(2).Name), L"");
  EXPECT_EQ(table.GetIndex(longer.substr(0, 127).c_str()), 6);
  EXPECT_EQ(table.GetIndex(longer.c_str()), 1);  // the full name is no longer known
}

}  // namespace
