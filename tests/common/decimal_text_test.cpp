// The one decimal reader: wcstol's reading, and one overflow rule (clamp, never wrap).
#include "common/decimal_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DecimalText, ReadAsWcstolDoesAndClampedNeverWrapped) {
  struct Case {
    const char* what;
    std::wstring text;
    int32_t signedValue;
    uint32_t unsignedValue;
  };
  const Case cases[] = {
      {"plain", L"12", 12, 12},
      {"leading blanks", L"  7", 7, 7},
      {"tab, stops at a non-digit", L"\t3x", 3, 3},
      {"line ends are blanks too", L"\r\n5", 5, 5},
      {"empty", L"", 0, 0},
      {"no digits", L"abc", 0, 0},
      {"minus: a sign only for the signed reader", L"-1", -1, 0},
      {"plus", L"+5", 5, 0},
      {"a sign alone", L"-", 0, 0},
      {"beyond a byte", L"300", 300, 300},
      {"INT32_MAX", L"2147483647", INT32_MAX, 2147483647u},
      {"2^31", L"2147483648", INT32_MAX, 2147483648u},
      {"INT32_MIN", L"-2147483648", INT32_MIN, 0},
      {"UINT32_MAX", L"4294967295", INT32_MAX, UINT32_MAX},
      {"2^32 would wrap to 0", L"4294967296", INT32_MAX, UINT32_MAX},
      {"2^32 + 5 would wrap to 5", L"4294967301", INT32_MAX, UINT32_MAX},
      {"far beyond", L"99999999999999999999999", INT32_MAX, UINT32_MAX},
      {"far below", L"-99999999999", INT32_MIN, 0},
      {"leading zeros", L"0000000000000000042", 42, 42},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ReadDecimal(c.text), c.signedValue);
    EXPECT_EQ(ReadUnsignedDecimal(c.text), c.unsignedValue);
  }
}

// Views over text with no terminator: the reader stops at the view's end, not at a NUL.
TEST(DecimalText, StopsAtTheEndOfAView) {
  const std::wstring text = L"12345";
  EXPECT_EQ(ReadDecimal(std::wstring_view(text).substr(0, 2)), 12);
  EXPECT_EQ(ReadUnsignedDecimal(std::wstring_view(text).substr(0, 3)), 123u);
}

}  // namespace
