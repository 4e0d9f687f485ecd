#include "common/text_helpers.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/common/unterminated_text.h"

namespace {

TEST(SplitString, PiecesAndCounts) {
  struct Case {
    std::wstring text;
    wchar_t delimiter;
    std::vector<std::wstring> pieces;  // empty: count 1 and no array
  };
  const Case cases[] = {
      {L"192.168.2.1", L'.', {L"192", L"168", L"2", L"1"}},
      {L"33333", L',', {}},
      {L"", L',', {}},
      {L"1,2,,4", L',', {L"1", L"2", L"", L"4"}},
      {L",a", L',', {L"", L"a"}},
      {L"a,", L',', {L"a", L""}},
      {L",", L',', {L"", L""}},
  };
  for (const auto& c : cases) {
    int count = -1;
    auto pieces = SplitString(c.text, c.delimiter, &count);
    if (c.pieces.empty()) {
      EXPECT_EQ(count, 1) << "text '" << testing::PrintToString(c.text) << "'";
      EXPECT_EQ(pieces, nullptr);
      continue;
    }
    ASSERT_EQ(count, static_cast<int>(c.pieces.size())) << testing::PrintToString(c.text);
    ASSERT_NE(pieces, nullptr);
    for (int i = 0; i < count; ++i) EXPECT_EQ(pieces[i], c.pieces[i]) << "piece " << i;
  }
}

TEST(HexTextToByte, DigitsAndNonDigits) {
  const std::pair<std::wstring, int> cases[] = {
      {L"fF", 255}, {L"00", 0}, {L"1Z", 0}, {L"a0", 0xa0}, {L"09x", 9},
      {L"G1", 0},   {L"", 0},   {L"7", 0},  // never reads past a short text
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(HexTextToByte(Unterminated(text).view()), value) << testing::PrintToString(text);
  }
}

TEST(HexTextToMac, BadPairsGiveZeroAndShortTextStops) {
  struct Case {
    std::wstring text;
    std::vector<uint8_t> mac;
  };
  const Case cases[] = {
      {L"00112233445G", {0x00, 0x11, 0x22, 0x33, 0x44, 0x00}},
      {L"AABBCCDDEEFF", {0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff}},
      {L"zz1122334455", {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}},
      {L"0102", {0x01, 0x02, 0, 0, 0, 0}},
      {L"01020", {0x01, 0x02, 0, 0, 0, 0}},
      {L"", {0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    uint8_t mac[6] = {9, 9, 9, 9, 9, 9};
    HexTextToMac(mac, Unterminated(c.text).view());
    EXPECT_EQ(std::vector<uint8_t>(mac, mac + 6), c.mac) << testing::PrintToString(c.text);
  }
}

TEST(SwapIpv6Words, GroupsInHostOrder) {
  const uint8_t address[16] = {0xfe, 0x80, 0, 0, 0, 0, 0, 0, 0x02, 0x11, 0x22, 0xff, 0xfe, 0x33, 0x44, 0x55};
  uint16_t words[8];
  SwapIpv6Words(words, address);
  EXPECT_EQ(std::vector<uint16_t>(words, words + 8),
            (std::vector<uint16_t>{0xfe80, 0, 0, 0, 0x0211, 0x22ff, 0xfe33, 0x4455}));
}

TEST(CommasToNuls, KeepsLength) {
  std::wstring text = L"a,b,c";
  EXPECT_EQ(CommasToNuls(text), 2);
  EXPECT_EQ(text, std::wstring(L"a\0b\0c", 5));
  std::wstring none = L"abc";
  EXPECT_EQ(CommasToNuls(none), 0);
  EXPECT_EQ(none, L"abc");
}

}  // namespace
