// The start-up's readings, case by case: the language, the ports, the installation files, the
// WAN flags, the private address, the command words, which pages exist, and how a start treats
// the other instance's marker.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_words.h"
#include "shell/instance_events.h"
#include "shell/language_choice.h"
#include "shell/main_pages.h"
#include "shell/startup_settings.h"
#include "tests/common/temp_folder.h"

namespace {

constexpr char kMissing[] = "\x01missing";  // the file is not written at all

void WriteOrSkip(const TempFolder& folder, const wchar_t* name, const std::string& bytes) {
  if (bytes != kMissing) folder.WriteBytes(name, bytes);
}

TEST(LanguageChoice, FileThenLocale) {
  struct Case {
    const char* what;
    std::string file;
    LCID locale;
    int index;
    const wchar_t* suffix;
  };
  const Case cases[] = {
      {"ENG", "QVX_VER=1\r\nENG\r\n", 1028, 0, L"eng"},
      {"ENG with blanks around it", "QVX_VER=1\r\n  ENG \r\n", 1033, 0, L"eng"},
      {"eng in lower case", "QVX_VER=1\r\neng\r\n", 1033, 1, L"cht"},
      {"CHT", "QVX_VER=1\r\nCHT\r\n", 1033, 1, L"cht"},
      {"empty file", "", 1033, 1, L"cht"},
      {"header only", "QVX_VER=1\r\n", 1033, 1, L"cht"},
      {"missing, Traditional Chinese locale", kMissing, 1028, 1, L"cht"},
      {"missing, Simplified Chinese locale", kMissing, 2052, 1, L"cht"},
      {"missing, Hong Kong locale", kMissing, 3076, 1, L"cht"},
      {"missing, Singapore locale", kMissing, 4100, 1, L"cht"},
      {"missing, US English locale", kMissing, 1033, 0, L"eng"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    WriteOrSkip(folder, L"LangType.txt", c.file);
    LanguageChoice choice = ChooseLanguage(folder.path(), c.locale);
    EXPECT_EQ(c.index, choice.index);
    EXPECT_STREQ(c.suffix, choice.suffix);
  }
}

TEST(StartupSettings, PortNumbers) {
  struct Case {
    const char* what;
    std::string file;
    uint16_t scan, km, clipboard;
  };
  const Case cases[] = {
      {"missing", kMissing, 33333, 33334, 33334},
      {"two fields keep every default", "40000,40001\r\n", 33333, 33334, 33334},
      {"four fields: 1, 2 and 4", "40000,40001,40002,40003\r\n", 40000, 40001, 40003},
      {"the third field is not used", "40000,40001,garbage,40003", 40000, 40001, 40003},
      {"five fields keep every default", "1,2,3,4,5\r\n", 33333, 33334, 33334},
      {"empty line 1", "\r\n40000,40001,40002,40003\r\n", 33333, 33334, 33334},
      {"a header line is not skipped", "QVX_VER=1\r\n40000,40001,40002,40003\r\n", 33333, 33334, 33334},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    WriteOrSkip(folder, L"PortNumDef.txt", c.file);
    StartupPorts ports = ReadPortNumbers(folder.path());
    EXPECT_EQ(c.scan, ports.scanPort);
    EXPECT_EQ(c.km, ports.kmPort);
    EXPECT_EQ(c.clipboard, ports.clipboardPort);
  }
}

TEST(StartupSettings, PrivateAddress) {
  struct Case {
    const char* what;
    std::string file;
    uint8_t octets[4];
  };
  const Case cases[] = {
      {"missing", kMissing, {192, 168, 2, 1}},
      {"only its header keeps the default", "QVX_VER=1\r\n", {192, 168, 2, 1}},
      {"header and address", "QVX_VER=1\r\n192.168.7.23\r\n", {192, 168, 7, 23}},
      {"three fields keep the default", "QVX_VER=1\r\n192.168.7\r\n", {192, 168, 2, 1}},
      {"no virtual adapters", "QVX_VER=1\r\n0.0.0.0\r\n", {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    WriteOrSkip(folder, L"PrivateIp.txt", c.file);
    uint8_t octets[4] = {192, 168, 2, 1};
    ReadPrivateIp(folder.path(), octets);
    EXPECT_EQ(std::vector<uint8_t>(c.octets, c.octets + 4), std::vector<uint8_t>(octets, octets + 4));
  }
}

TEST(StartupSettings, WanFlagsAndAdapter) {
  struct Case {
    const char* what;
    std::string file;
    bool physical, wifi, direct1, direct2, routerDhcp;
  };
  const Case cases[] = {
      {"missing", kMissing, false, false, false, false, false},
      {"DHCP has virtual adapters", "QVX_VER=1\r\nDHCP\r\n", false, false, false, false, false},
      {"PHYSICAL", "QVX_VER=1\r\nPHYSICAL\r\n", true, false, false, false, false},
      {"WIFI with blanks", "QVX_VER=1\r\n WIFI \r\n", false, true, false, false, false},
      {"DIRECT_CONN_IP_1", "QVX_VER=1\r\nDIRECT_CONN_IP_1\r\n", false, false, true, false, false},
      {"DIRECT_CONN_IP_2", "QVX_VER=1\r\nDIRECT_CONN_IP_2\r\n", false, false, false, true, false},
      {"ROUTER_DHCP", "QVX_VER=1\r\nROUTER_DHCP\r\n", false, false, false, false, true},
      {"lower case is no keyword", "QVX_VER=1\r\nphysical\r\n", false, false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    WriteOrSkip(folder, L"DrvInstWanType.txt", c.file);
    WanFlags flags = ReadWanFlags(folder.path());
    EXPECT_EQ(c.physical, flags.physical);
    EXPECT_EQ(c.wifi, flags.wifi);
    EXPECT_EQ(c.direct1, flags.directConnIp1);
    EXPECT_EQ(c.direct2, flags.directConnIp2);
    EXPECT_EQ(c.routerDhcp, flags.routerDhcp);
  }

  TempFolder folder;
  folder.WriteBytes(L"DrvInstPhyNic.txt", "QVX_VER=1\r\n{00000002-0000-0000-0000-4E6574446576}\r\neth0\r\n");
  std::wstring guid, name;
  ReadPhysicalAdapter(folder.path(), &guid, &name);
  EXPECT_EQ(L"{00000002-0000-0000-0000-4E6574446576}", guid);
  EXPECT_EQ(L"eth0", name);
}

// The eight files an installation writes; a folder of one of those names does not count.
TEST(StartupSettings, InstallationFiles) {
  const wchar_t* files[] = {L"DrvInstPhyNic.txt",        L"DrvInstWanType.txt",      L"PhysicalMacAddr.txt",
                            L"PrivateIp.txt",            L"VirtualMacAddr.txt",      L"CloneAdaptGuidName.txt",
                            L"PrivateAdaptGuidName.txt", L"OtherAdaptGuidName.txt"};
  TempFolder folder;
  EXPECT_FALSE(CheckSettingsFiles(folder.path()));
  for (const wchar_t* name : files) folder.WriteBytes(name, "QVX_VER=1\r\n");
  EXPECT_TRUE(CheckSettingsFiles(folder.path()));
  for (const wchar_t* name : files) {
    SCOPED_TRACE(testing::Message() << "without " << std::string(name, name + wcslen(name)));
    ::DeleteFileW(folder.File(name).c_str());
    EXPECT_FALSE(CheckSettingsFiles(folder.path()));
    ASSERT_TRUE(::CreateDirectoryW(folder.File(name).c_str(), nullptr));
    EXPECT_FALSE(CheckSettingsFiles(folder.path())) << "a folder is no file";
    ::RemoveDirectoryW(folder.File(name).c_str());
    folder.WriteBytes(name, "QVX_VER=1\r\n");
  }
}

TEST(StartWords, FoundAfterPathAndQuotesGo) {
  const std::wstring module = L"C:\\Program Files\\Corvane\\Corvane.exe";
  struct Case {
    const char* what;
    std::wstring commandLine;
    StartWord word;
  };
  const Case cases[] = {
      {"no word", L"\"C:\\Program Files\\Corvane\\Corvane.exe\"", StartWord::kNone},
      {"QUITAPP", L"\"C:\\Program Files\\Corvane\\Corvane.exe\" QUITAPP", StartWord::kQuitApp},
      {"RESTART unquoted path", L"C:\\Program Files\\Corvane\\Corvane.exe RESTART", StartWord::kRestart},
      {"quoted word", L"\"C:\\Program Files\\Corvane\\Corvane.exe\" \"RESTART\"", StartWord::kRestart},
      {"anywhere in the line", L"Corvane.exe /xQUITAPPx", StartWord::kQuitApp},
      {"lower case is no word", L"Corvane.exe quitapp", StartWord::kNone},
      {"both: QUITAPP wins", L"Corvane.exe RESTART QUITAPP", StartWord::kQuitApp},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.word, FindStartWord(c.commandLine, module));
  }
  // The word inside the program's own path is no word.
  EXPECT_EQ(StartWord::kNone, FindStartWord(L"\"C:\\RESTART\\Corvane.exe\"", L"C:\\RESTART\\Corvane.exe"));
}

// Which pages exist, by the installation and the WAN flags: the rows of the main dialog's table
// take their condition from here.
TEST(MainPages, ConditionsByInstallationAndWanFlag) {
  struct Case {
    const char* what;
    bool installed;
    bool wan;
    bool always, installation, virtualAdapters;
  };
  const Case cases[] = {
      {"no installation", false, false, true, false, false},
      {"no installation, stray WAN file", false, true, true, false, false},
      {"installation without WAN flag", true, false, true, true, true},
      {"installation with a WAN flag", true, true, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.always, PageExists(PageCondition::kAlways, c.installed, c.wan));
    EXPECT_EQ(c.installation, PageExists(PageCondition::kInstallation, c.installed, c.wan));
    EXPECT_EQ(c.virtualAdapters, PageExists(PageCondition::kInstallationWithVirtualAdapters, c.installed, c.wan));
  }
}

// A start's treatment of the other instance's marker, held by the test under the program's own name
// (the tests of the instance marker lock it for themselves).
class InstanceStartTest : public testing::Test {
 protected:
  void TearDown() override {
    if (heldMarker_) ::CloseHandle(heldMarker_);
  }
  void HoldMarker() { heldMarker_ = ::CreateEventW(nullptr, FALSE, FALSE, kInstanceMarkerEvent); }
  void ReleaseMarker() {
    ::CloseHandle(heldMarker_);
    heldMarker_ = nullptr;
  }
  HANDLE heldMarker_ = nullptr;
};

// The old instance ends while the restart waits: the restart must see its marker go. A try that
// kept the handle it opened would keep the marker alive itself, and the restart would give up.
TEST_F(InstanceStartTest, RestartGoesOnOnceTheOldMarkerIsGone) {
  HoldMarker();
  int pauses = 0;
  InstanceStart start = ResolveInstanceAtStart(StartWord::kRestart, [&](DWORD ms) {
    EXPECT_EQ(1000u, ms);
    if (++pauses == 3) ReleaseMarker();
  });
  EXPECT_FALSE(start.startupQuit);
  EXPECT_EQ(3, pauses) << "the try right after the old instance ended finds its marker gone";
  ASSERT_NE(nullptr, start.marker);
  ::CloseHandle(start.marker);
}

TEST_F(InstanceStartTest, RestartGivesUpAfterFifteenTries) {
  HoldMarker();
  int pauses = 0;
  InstanceStart start = ResolveInstanceAtStart(StartWord::kRestart, [&](DWORD) { ++pauses; });
  EXPECT_TRUE(start.startupQuit);
  EXPECT_EQ(15, pauses);
  EXPECT_EQ(nullptr, start.marker);
}

TEST_F(InstanceStartTest, SecondStartAsksTheFirstToComeForward) {
  HoldMarker();
  HANDLE front = ::CreateEventW(nullptr, FALSE, FALSE, kBringToFrontEvent);
  InstanceStart start = ResolveInstanceAtStart(StartWord::kNone, [](DWORD) { FAIL() << "no wait"; });
  EXPECT_TRUE(start.startupQuit);
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(front, 0));
  ::CloseHandle(front);
}

TEST_F(InstanceStartTest, FirstStartCreatesTheMarker) {
  InstanceStart start = ResolveInstanceAtStart(StartWord::kNone, [](DWORD) { FAIL() << "no wait"; });
  EXPECT_FALSE(start.startupQuit);
  ASSERT_NE(nullptr, start.marker);
  HANDLE seen = OpenNamedEvent(kInstanceMarkerEvent);
  EXPECT_NE(nullptr, seen);
  if (seen) ::CloseHandle(seen);
  ::CloseHandle(start.marker);
}

TEST_F(InstanceStartTest, QuitAppWithNoneRunningEndsAtOnce) {
  InstanceStart start = ResolveInstanceAtStart(StartWord::kQuitApp, [](DWORD) { FAIL() << "no wait"; });
  EXPECT_TRUE(start.startupQuit);
  EXPECT_EQ(nullptr, start.marker);
}

}  // namespace
