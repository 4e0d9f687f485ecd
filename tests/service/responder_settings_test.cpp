// The settings files the responder reads, and the cut of its own path to the settings folder.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "service/responder_settings.h"
#include "tests/common/temp_folder.h"

namespace {

TEST(ResponderSettings, PathCut) {
  struct Case {
    const wchar_t* path;
    int count;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"C:\\Program Files\\Corvane\\Service\\64\\Echoward.exe", 3, L"C:\\Program Files\\Corvane"},
      {L"C:\\a\\b\\c", 3, L"C:"},
      {L"\\a\\b", 3, L"\\a\\b"},  // the first character is never looked at
      {L"a\\b", 3, L"a\\b"},
      {L"C:\\a\\b\\c\\", 1, L"C:\\a\\b\\c"},
      {L"", 3, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
    wchar_t path[MAX_PATH];
    lstrcpynW(path, c.path, MAX_PATH);
    TruncatePathAtBackslash(path, c.count);
    EXPECT_STREQ(path, c.expected);
  }
}

TEST(ResponderSettings, Ports) {
  struct Case {
    const char* file;  // nullptr: no file
    uint32_t scan, km;
  };
  const Case cases[] = {
      {nullptr, 33333, 33334},
      {"40000,40001\r\n", 40000, 40001},
      {" 40000, 40001", 40000, 40001},
      {"40000,40001,3,4\r\n", 33333, 33334},
      {"40000\r\n", 33333, 33334},
      {"\r\n40000,40001\r\n", 33333, 33334},
      {"QVX_VER=1\r\n40000,40001\r\n", 33333, 33334},
      {"x,y", 0, 0},
      {"70000,5", 70000, 5},  // the low 16 bits are taken when binding and sending
      {"4294967296,33334", 4294967295u, 33334},  // held at the end of the range, never wrapped to 0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "(none)");
    TempFolder folder;
    if (c.file) folder.WriteBytes(L"PortNumDef.txt", c.file);
    const ResponderSettings settings = LoadResponderSettings(folder.path());
    EXPECT_EQ(settings.scanPort, c.scan);
    EXPECT_EQ(settings.kmPort, c.km);
  }
}

TEST(ResponderSettings, PrivateAddress) {
  struct Case {
    const char* file;
    uint8_t expected[4];
  };
  const Case cases[] = {
      {nullptr, {192, 168, 200, 100}},
      {"QVX_VER=1\r\n192.168.7.3\r\n", {192, 168, 7, 3}},
      {"QVX_VER=1\r\n0.0.0.0\r\n", {0, 0, 0, 0}},
      {"10.1.2.3", {10, 1, 2, 3}},  // one line without a line end
      {"QVX_VER=1\r\n192.168.7\r\n", {192, 168, 200, 100}},
      {"QVX_VER=1\r\n1.2.3.4.5\r\n", {192, 168, 200, 100}},
      {"QVX_VER=1\r\n256.300.7.1\r\n", {0, 44, 7, 1}},
      {"QVX_VER=1\r\n4294967297.168.7.1\r\n", {255, 168, 7, 1}},  // clamped, then its low 8 bits
      {"QVX_VER=1\r\n\r\n", {192, 168, 200, 100}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "(none)");
    TempFolder folder;
    if (c.file) folder.WriteBytes(L"PrivateIp.txt", c.file);
    const ResponderSettings settings = LoadResponderSettings(folder.path());
    EXPECT_EQ(std::memcmp(settings.privateIp, c.expected, 4), 0);
  }
}

TEST(ResponderSettings, PhysicalAdapter) {
  struct Case {
    const char* file;
    const wchar_t* guid;
    const wchar_t* name;
  };
  const Case cases[] = {
      {nullptr, L"", L""},
      {"QVX_VER=1\r\n{0000000A-0000-0000-0000-4E6574446576}\r\neth0\r\n", L"{0000000A-0000-0000-0000-4E6574446576}",
       L"eth0"},
      {"QVX_VER=1\r\n\r\neth0\r\n", L"", L"eth0"},
      {"QVX_VER=1\r\n{G}\r\n", L"{G}", L""},
      // A read past the end keeps the line read before it.
      {"QVX_VER=1\r\n{G}", L"{G}", L"{G}"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file ? c.file : "(none)");
    TempFolder folder;
    if (c.file) folder.WriteBytes(L"DrvInstPhyNic.txt", c.file);
    const ResponderSettings settings = LoadResponderSettings(folder.path());
    EXPECT_EQ(settings.adapterGuid, c.guid);
    EXPECT_EQ(settings.adapterName, c.name);
  }
  TempFolder folder;
  folder.WriteBytes(L"DrvInstPhyNic.txt", "QVX_VER=1\r\n" + std::string(100, 'g') + "\r\n" + std::string(200, 'n') + "\r\n");
  const ResponderSettings settings = LoadResponderSettings(folder.path());
  EXPECT_EQ(settings.adapterGuid, std::wstring(63, L'g'));
  EXPECT_EQ(settings.adapterName, std::wstring(127, L'n'));
}

TEST(ResponderSettings, MacTextAndResponses) {
  struct MacCase {
    const char* file;
    const wchar_t* expected;
  };
  const MacCase macs[] = {
      {nullptr, L"000000000000"},
      {"QVX_VER=1\r\n00A0C9123456\r\n", L"00A0C9123456"},
      {"QVX_VER=1\r\n\r\n", L"000000000000"},
      {"QVX_VER=1\r\n12AB\r\n", L"12AB"},
      {"QVX_VER=1\r\n0123456789012345678901234567890\r\n", L"0123456789012345678901234"},
  };
  for (const auto& c : macs) {
    SCOPED_TRACE(c.file ? c.file : "(none)");
    TempFolder folder;
    if (c.file) folder.WriteBytes(L"PhysicalMacAddr.txt", c.file);
    EXPECT_EQ(ReadMacText(folder.File(L"PhysicalMacAddr.txt")), c.expected);
  }
  struct EnabledCase {
    const char* file;
    bool expected;
  };
  const EnabledCase enabled[] = {
      {nullptr, false},
      {"QVX_VER=1\r\nENABLED\r\n", true},
      {"QVX_VER=1\r\n  ENABLED\t\r\n", true},
      {"QVX_VER=1\r\nenabled\r\n", false},
      {"QVX_VER=1\r\nDISABLED\r\n", false},
      {"ENABLED", true},
  };
  for (const auto& c : enabled) {
    SCOPED_TRACE(c.file ? c.file : "(none)");
    TempFolder folder;
    if (c.file) folder.WriteBytes(L"EchowardSetting.txt", c.file);
    EXPECT_EQ(ReadResponsesEnabled(folder.File(L"EchowardSetting.txt")), c.expected);
  }
}

}  // namespace
