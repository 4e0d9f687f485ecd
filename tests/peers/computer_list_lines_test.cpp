#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "peers/computer_list.h"

namespace {

const uint8_t kMac[6] = {0x00, 0xE0, 0x4C, 0x6A, 0x10, 0xB2};

std::unique_ptr<ComputerList> RoundTrip(const ComputerList& list) {
  std::vector<std::wstring> lines = ComputerListLines(list);
  auto back = std::make_unique<ComputerList>();
  back->subnet = static_cast<uint8_t>(std::stoi(lines.at(0)));
  ApplyComputerListHostLines(std::vector<std::wstring>(lines.begin() + 1, lines.end()), back.get());
  return back;
}

TEST(ComputerListLines, TheFileFormat) {
  auto list = std::make_unique<ComputerList>();
  list->subnet = 3;
  list->AddHost(12, L"OFFICE", L"Intel(R) Core(TM) i5 CPU", 5, kMac);
  list->AddHost(2, L"B", L"", -1, kMac);
  EXPECT_EQ(ComputerListLines(*list),
            (std::vector<std::wstring>{L"3", L"2,B,,-1,00E04C6A10B2", L"12,OFFICE,Intel(R) Core(TM) i5 CPU,5,00E04C6A10B2"}));
}

TEST(ComputerListLines, OddNamesRoundTrip) {
  const struct {
    const char* what;
    std::wstring name;
    std::wstring cpu;
    std::wstring nameBack;  // what the name reads as after the round trip
    std::wstring cpuBack;
  } cases[] = {
      {"plain", L"OFFICE", L"Intel(R) Core(TM) i5", L"OFFICE", L"Intel(R) Core(TM) i5"},
      {"commas cannot shift the fields", L"A,B", L"Xeon, 8 cores,", L"A;B", L"Xeon; 8 cores;"},
      {"a line break cannot end the line", L"TWO\r\nLINES", L"x\ny", L"TWO  LINES", L"x y"},
      {"empty texts", L"", L"", L"", L""},
      {"Chinese", L"\u96fb\u8166", L"\u8655\u7406\u5668", L"\u96fb\u8166", L"\u8655\u7406\u5668"},
      {"too long: cut to the slots", std::wstring(300, L'n'), std::wstring(100, L'c'), std::wstring(255, L'n'),
       std::wstring(63, L'c')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto list = std::make_unique<ComputerList>();
    list->subnet = 200;
    list->AddHost(255, c.name.c_str(), c.cpu.c_str(), 16, kMac);
    list->AddHost(0, L"ZERO", L"", 9, kMac);
    auto back = RoundTrip(*list);
    EXPECT_EQ(back->subnet, 200);
    ASSERT_EQ(back->present[255], 1);
    EXPECT_EQ(back->name[255], c.nameBack);
    EXPECT_EQ(back->cpu[255], c.cpuBack);
    EXPECT_EQ(back->os[255], 16);
    EXPECT_EQ(0, std::memcmp(back->mac[255], kMac, 6));
    EXPECT_EQ(back->present[0], 1);
    EXPECT_EQ(std::wstring(back->name[0]), L"ZERO");
  }
}

TEST(ComputerListLines, DamagedLinesAreSkipped) {
  auto list = std::make_unique<ComputerList>();
  ApplyComputerListHostLines(
      {
          L"",                                 // empty
          L"5,A,B,5",                          // four fields
          L"6,A,B,5,00E04C6A10B2,extra",       // six fields
          L"256,A,B,5,00E04C6A10B2",           // no host 256
          L"-1,A,B,5,00E04C6A10B2",            // no host -1
          L"7,SEVEN,CPU,5,zz112233",           // a non-hex pair reads as 0, a MAC cut short as 0
          L"8,EIGHT,CPU,5,00E04C6A10B2",
          L"8,NEW,CPU2,6,00E04C6A10B3",        // a later line of the host wins
      },
      list.get());
  int present = 0;
  for (int host = 0; host < ComputerList::kHosts; ++host) present += list->present[host];
  EXPECT_EQ(present, 2);
  const uint8_t seven[6] = {0x00, 0x11, 0x22, 0x33, 0x00, 0x00};
  EXPECT_EQ(0, std::memcmp(list->mac[7], seven, 6));
  EXPECT_EQ(std::wstring(list->name[8]), L"NEW");
  EXPECT_EQ(list->os[8], 6);
}

TEST(ComputerList, SnapshotAndFindName) {
  auto list = std::make_unique<ComputerList>();
  list->subnet = 4;
  list->AddHost(9, L"NINE", L"", 5, kMac);
  std::wstring name;
  EXPECT_FALSE(list->FindName(4, 9, &name)) << "before the snapshot";
  list->Snapshot();
  EXPECT_TRUE(list->FindName(4, 9, &name));
  EXPECT_EQ(name, L"NINE");
  EXPECT_FALSE(list->FindName(5, 9, &name)) << "another subnet";
  EXPECT_FALSE(list->FindName(4, 10, &name)) << "a host not in the list";
  EXPECT_TRUE(list->HoldsOtherThan(1));
  EXPECT_FALSE(list->HoldsOtherThan(9));
}

}  // namespace
