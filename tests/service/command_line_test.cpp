// The command line: which action, flags and values a list of arguments gives.
#include <gtest/gtest.h>

#include <vector>

#include "service/command_line_info.h"
#include "service/my_service.h"

namespace {

struct CommandLineCase {
  std::vector<const wchar_t*> arguments;
  uint32_t action;
  uint32_t timeout;
  uint32_t silent;
  uint32_t autoStart;
  const wchar_t* serviceName;
  const wchar_t* displayName;
  const wchar_t* description;
  const wchar_t* serviceCommandLine;
  const wchar_t* account;
  const wchar_t* password;
};

CNTServiceCommandLineInfo Parse(std::vector<const wchar_t*> arguments) {
  std::vector<wchar_t*> argv{const_cast<wchar_t*>(L"Echoward.exe")};
  for (const wchar_t* argument : arguments) argv.push_back(const_cast<wchar_t*>(argument));
  CNTServiceCommandLineInfo info;
  CMyService service;
  service.ParseCommandLine(info, static_cast<int>(argv.size()), argv.data());
  return info;
}

TEST(CommandLine, SwitchesAndPrefixedValues) {
  using Info = CNTServiceCommandLineInfo;
  const CommandLineCase cases[] = {
      {{}, Info::kRunAsService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"install"}, Info::kRunAsService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},  // no switch character
      {{L"/install"}, Info::kInstallService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"-INSTALL"}, Info::kInstallService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"/InStAlL", L"/auto"}, Info::kInstallService, 5000, 0, 1, L"", L"", L"", L"", L"", L""},
      {{L"--install"}, Info::kRunAsService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"-remove"}, Info::kUninstallService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"-uninstall"}, Info::kUninstallService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"-start", L"-stop"}, Info::kStopService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"-pause"}, Info::kPauseService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"-continue"}, Info::kContinueService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"-debug"}, Info::kDebugService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"/app"}, Info::kDebugService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"/Application"}, Info::kDebugService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"-console"}, Info::kDebugService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"-help"}, Info::kShowServiceHelp, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"/?"}, Info::kShowServiceHelp, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"-stop", L"-silent"}, Info::kStopService, 5000, 1, 0, L"", L"", L"", L"", L"", L""},
      {{L"-start", L"/T:20000"}, Info::kStartService, 20000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"/T:"}, Info::kRunAsService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"/t:  42ms"}, Info::kRunAsService, 42, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"/T:x"}, Info::kRunAsService, 0, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"/T:4294967295"}, Info::kRunAsService, 4294967295u, 0, 0, L"", L"", L"", L"", L"", L""},
      // Beyond 32 bits the time-out is held at the longest, never wrapped to a short one.
      {{L"/T:4294967296"}, Info::kRunAsService, 4294967295u, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"/T:-5"}, Info::kRunAsService, 0, 0, 0, L"", L"", L"", L"", L"", L""},
      {{L"/sn:Other", L"/SDN:Other Name", L"/Sd:About it"}, Info::kRunAsService, 5000, 0, 0, L"Other",
       L"Other Name", L"About it", L"", L"", L""},
      {{L"/SCL:-x y", L"/U:.\\user", L"/P:Secret"}, Info::kRunAsService, 5000, 0, 0, L"", L"", L"", L"-x y",
       L".\\user", L"Secret"},
      {{L"/SN:", L"/SN:a", L"/SN:b"}, Info::kRunAsService, 5000, 0, 0, L"b", L"", L"", L"", L"", L""},
      {{L"/whatever", L"/installx"}, Info::kRunAsService, 5000, 0, 0, L"", L"", L"", L"", L"", L""},
  };
  for (const auto& c : cases) {
    std::wstring joined;
    for (const wchar_t* a : c.arguments) joined += std::wstring(a) + L" ";
    SCOPED_TRACE(testing::PrintToString(joined));
    const CNTServiceCommandLineInfo info = Parse(c.arguments);
    EXPECT_EQ(info.action_, c.action);
    EXPECT_EQ(info.timeout_, c.timeout);
    EXPECT_EQ(info.silent_, c.silent);
    EXPECT_EQ(info.autoStart_, c.autoStart);
    EXPECT_EQ(info.serviceName_, c.serviceName);
    EXPECT_EQ(info.displayName_, c.displayName);
    EXPECT_EQ(info.description_, c.description);
    EXPECT_EQ(info.serviceCommandLine_, c.serviceCommandLine);
    EXPECT_EQ(info.account_, c.account);
    EXPECT_EQ(info.password_, c.password);
  }
}

TEST(CommandLine, CredentialsAreWipedAway) {
  CNTServiceCommandLineInfo info = Parse({L"/U:someone", L"/P:secret"});
  info.WipeCredentials();
  EXPECT_TRUE(info.account_.empty());
  EXPECT_TRUE(info.password_.empty());
}

TEST(CommandLine, NamesFromTheCommandLineNeedPermission) {
  CNTServiceCommandLineInfo info = Parse({L"/SN:Other", L"/SDN:Shown", L"/SD:Told", L"/?"});
  CMyService refused;
  refused.ProcessShellCommand(info);
  EXPECT_EQ(refused.ServiceName(), L"Corvane");
  EXPECT_EQ(refused.DisplayName(), L"Corvane Scan Response Service");

  CMyService allowed;
  allowed.mayChangeServiceName_ = allowed.mayChangeDisplayName_ = allowed.mayChangeDescription_ = 1;
  allowed.ProcessShellCommand(info);
  EXPECT_EQ(allowed.ServiceName(), L"Other");
  EXPECT_EQ(allowed.DisplayName(), L"Shown");
  EXPECT_EQ(allowed.Description(), L"Told");
}

}  // namespace
