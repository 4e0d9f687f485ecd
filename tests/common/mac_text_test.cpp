#include "common/mac_text.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "tests/common/unterminated_text.h"

namespace {

TEST(ParseMacAddressText, PairsAtEveryThirdCharacter) {
  using Mac = std::array<uint8_t, 6>;
  struct Case {
    std::wstring text;
    Mac mac;
  };
  const Case cases[] = {
      {L"00:1A:2b:3C:4d:5E", {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e}},
      {L"FF:FF:FF:FF:FF:FF", {0xff, 0xff, 0xff, 0xff, 0xff, 0xff}},
      // A letter beyond F spoils only its own pair.
      {L"00:1A:2B:3C:4D:5G", {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x00}},
      {L"0x:1A:2B:3C:4D:5E", {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e}},
      // Other separators are not looked at; only the positions count.
      {L"00-1A-2B-3C-4D-5E", {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e}},
      // A pair that holds a ":" is no pair.
      {L"0:1A:2B:3C:4D:5E", {0, 0, 0, 0, 0, 0}},
      {L"001A2B3C4D5E", {0x00, 0xa2, 0x3c, 0xd5, 0, 0}},
      // Short texts: what is missing is 0, nothing is read beyond the end.
      {L"00:1A:2B", {0x00, 0x1a, 0x2b, 0, 0, 0}},
      {L"00:1A:2", {0x00, 0x1a, 0, 0, 0, 0}},
      {L"00:1A:2B:3C:4D:5", {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0}},
      {L"A", {0, 0, 0, 0, 0, 0}},
      {L"", {0, 0, 0, 0, 0, 0}},
      // Longer texts: the first 17 characters decide.
      {L"00:1A:2B:3C:4D:5E:6F:70:81:92:A3:B4", {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e}},
      {L"\u00e9\u00e9:1A:2B:3C:4D:5E", {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e}},
  };
  for (const Case& c : cases) {
    Mac mac;
    mac.fill(0xee);
    ParseMacAddressText(mac.data(), Unterminated(c.text).view());
    EXPECT_EQ(mac, c.mac) << testing::PrintToString(c.text);
  }
}

TEST(ParseMacAddressText, OnlyTheFirst31CharactersAreLookedAt) {
  // The text is taken as a view that is not terminated: the parse must stay inside it.
  const std::wstring buffer = L"00:1A:2B:3C:4D:5E";
  uint8_t mac[6];
  ParseMacAddressText(mac, std::wstring_view(buffer.data(), 10));  // "00:1A:2B:3"
  const uint8_t expected[6] = {0x00, 0x1a, 0x2b, 0, 0, 0};
  EXPECT_EQ(0, memcmp(mac, expected, 6));
}

}  // namespace
