#include "common/os_version.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct VersionCase {
  unsigned long platform, major, minor;
  int code;
};

TEST(OsTypeCode, ClassifiesVersionNumbers) {
  const VersionCase cases[] = {
      {kPlatformWindowsNt, 3, 51, 11}, {kPlatformWindowsNt, 4, 0, 11},  {kPlatformWindowsNt, 5, 0, 10},
      {kPlatformWindowsNt, 5, 1, 9},   {kPlatformWindowsNt, 5, 2, 9},   {kPlatformWindowsNt, 6, 0, 7},
      {kPlatformWindowsNt, 6, 1, 5},   {kPlatformWindowsNt, 6, 2, 15},  {kPlatformWindowsNt, 6, 3, 0},
      {kPlatformWindowsNt, 10, 0, 0},  {kPlatformWindows9x, 5, 0, 12},  {kPlatformWindows9x, 3, 95, 14},
      {kPlatformWindows9x, 4, 0, 14},  {kPlatformWindows9x, 4, 1, 13},  {kPlatformWindows9x, 4, 10, 13},
      {kPlatformWindows9x, 4, 90, 12}, {kPlatformWin32s, 6, 1, 0},      {7, 6, 1, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OsTypeCodeFromVersion(c.platform, c.major, c.minor), c.code)
        << "platform " << c.platform << " version " << c.major << "." << c.minor;
  }
}

TEST(OsTypeCode, WineDefaultPrefixIsWindows7) {
  // A fresh prefix reports 6.1.
  EXPECT_EQ(GetOsTypeCode(), 5);
}

TEST(OsDisplayName, NamesKnownCodesAndFallsBackForOthers) {
  const std::pair<int16_t, std::wstring> cases[] = {
      {2, L"Windows Server 2008 64-bit"}, {3, L"Windows Server 2008 32-bit"}, {4, L"Windows Server 2003"},
      {5, L"Windows 7 64-bit"},           {6, L"Windows 7 32-bit"},           {7, L"Windows Vista 64-bit"},
      {8, L"Windows Vista 32-bit"},       {9, L"Windows XP"},                 {15, L"Windows 8 64-bit"},
      {16, L"Windows 8 32-bit"},          {0, L"Unknown Winodws version"},    {1, L"Unknown Winodws version"},
      {10, L"Unknown Winodws version"},   {-1, L"Unknown Winodws version"},
  };
  for (const auto& [code, name] : cases) {
    wchar_t out[kOsDisplayNameChars];
    GetOsDisplayName(out, code);
    EXPECT_EQ(std::wstring(out), name) << "code " << code;
  }
}

}  // namespace
