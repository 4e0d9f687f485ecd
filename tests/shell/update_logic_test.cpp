// What the Version page reads from "upgrade.txt", which locations it will hand to the browser,
// and how the browser is started on Windows XP and elsewhere.
#include <gtest/gtest.h>

#include <string>
#include "common/os_version.h"
#include "shell/upgrade_info.h"
#include "shell/web_address.h"
#include "tests/shell/scratch_folder.h"

namespace {

TEST(UpgradeInfoTest, VersionAndLocationComeFromBetweenTheFirstTwoColons) {
  struct Case {
    const char* what;
    const char* file;  // nullptr: no file
    bool hasVersion;
    const wchar_t* version;
    const wchar_t* location;
  };
  const Case cases[] = {
      {"newer version with a location", "Corvane\r\nVersion:3.1\r\nDownload:www.corvane-lan.com/dl/c31.exe\r\n", true,
       L"3.1", L"www.corvane-lan.com/dl/c31.exe"},
      {"the version in use", "Corvane\r\nVersion:3.0\r\nDownload:www.corvane-lan.com/dl\r\n", true, L"3.0",
       L"www.corvane-lan.com/dl"},
      {"a trailing space stays", "Corvane\r\nVersion:3.0 \r\n", true, L"3.0 ", L""},
      {"a port is cut off", "Corvane\r\nVersion:3.1\r\nDownload:www.corvane-lan.com:8080/dl\r\n", true, L"3.1",
       L"www.corvane-lan.com"},
      {"a scheme is cut off", "Corvane\r\nVersion:3.1\r\nDownload:http://www.corvane-lan.com/dl\r\n", true, L"3.1",
       L"http"},
      {"line 3 without a colon", "Corvane\r\nVersion:3.1\r\nwww.corvane-lan.com\r\n", true, L"3.1", L""},
      {"the file ends with line 2 and its line end", "Corvane\r\nVersion:3.1\r\n", true, L"3.1", L""},
      {"the file ends inside line 2: no location", "Corvane\r\nVersion:3.1", true, L"3.1", L""},
      {"one line without a line end is line 2", "Version:3.1", true, L"3.1", L""},
      {"line 2 without a colon", "Corvane\r\nVersion 3.1\r\nDownload:www.corvane-lan.com\r\n", false, L"",
       L"www.corvane-lan.com"},
      {"an empty line 2", "Corvane\r\n\r\nDownload:www.corvane-lan.com\r\n", false, L"", L"www.corvane-lan.com"},
      {"UTF-8 with its mark, LF line ends", "\xEF\xBB\xBF" "Corvane\nVersion:3.1\nDownload:www.corvane-lan.com/x\n",
       true, L"3.1", L"www.corvane-lan.com/x"},
      {"no file", nullptr, false, L"", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder folder;
    ASSERT_TRUE(folder.Enter());
    if (c.file) {
      ASSERT_TRUE(folder.Write(L"upgrade.txt", c.file));
    }
    const UpgradeInfo info = ReadUpgradeInfo(folder.PathOf(L"upgrade.txt"));
    EXPECT_EQ(c.hasVersion, info.hasVersion);
    EXPECT_EQ(c.version, info.version);
    EXPECT_EQ(c.location, info.downloadLocation);
  }
}

TEST(WebAddressTest, OnlyPlainHostAndPathLocationsAreOpened) {
  struct Case {
    const char* what;
    const wchar_t* location;
    bool plain;
  };
  const Case cases[] = {
      {"host", L"www.corvane-lan.com", true},
      {"host and path", L"www.corvane-lan.com/dl/corvane31.exe", true},
      {"query and fragment", L"dl.corvane-lan.com/get?file=c31&lang=eng#top", true},
      {"escaped space", L"www.corvane-lan.com/a%20b", true},
      {"a bare version text", L"3.1", true},
      {"empty", L"", false},
      {"leading space", L" www.corvane-lan.com", false},
      {"space in the path", L"www.corvane-lan.com/a b", false},
      {"a quote that ends the parameter", L"www.corvane-lan.com/x\" --user-data-dir=c", false},
      {"single quotes", L"www.corvane-lan.com/'x'", false},
      {"tab", L"www.corvane-lan.com/a\tb", false},
      {"line end", L"www.corvane-lan.com/a\r\n", false},
      {"a switch for a host", L"-new-window", false},
      {"a port", L"www.corvane-lan.com:8080", false},
      {"a colon in the path", L"www.corvane-lan.com/a:b", false},
      {"backslash", L"www.corvane-lan.com\\x", false},
      {"underscore in the host", L"www_corvane.com", false},
      {"angle brackets", L"www.corvane-lan.com/<x>", false},
      {"pipe", L"www.corvane-lan.com/a|b", false},
      {"non-ASCII", L"www.corvane-lan.com/\u4E2D", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.plain, IsPlainWebLocation(c.location));
  }
  // A NUL inside the text (a wide-string literal would end there).
  EXPECT_FALSE(IsPlainWebLocation(std::wstring_view(L"www.corvane-lan.com/a\0b", 23)));
}

TEST(WebAddressTest, AddressesOtherThanPlainHttpOpenNothing) {
  for (const wchar_t* address : {L"http://www.corvane-lan.com/x\" -k \"y", L"https://www.corvane-lan.com/",
                                 L"file://c/windows", L"www.corvane-lan.com", L"http://"}) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(address)));
    EXPECT_FALSE(OpenWebAddress(address));
  }
}

TEST(WebAddressTest, WindowsXpStartsInternetExplorerWithTheAddressQuoted) {
  const std::wstring address = L"http://www.corvane-lan.com/help_corvane.htm?lang=eng";
  const WebOpenCommand xp = WebOpenCommandFor(address, kOsTypeWindowsXp);
  EXPECT_EQ(L"iexplore.exe", xp.file);
  EXPECT_EQ(L"\"" + address + L"\"", xp.parameters);
  for (int code : {5, 7, 15, 0}) {
    const WebOpenCommand other = WebOpenCommandFor(address, code);
    EXPECT_EQ(address, other.file) << code;
    EXPECT_EQ(L"", other.parameters) << code;
  }
}

TEST(WebAddressTest, MakerAddressesAreOnTheMakersHost) {
  EXPECT_EQ(L"http://www.corvane-lan.com/index_qvx.htm", MakerWebAddress(L"index_qvx.htm"));
}

}  // namespace
