// The command lines handed to netsh, sc.exe, pnputil and the service program, in both syntaxes.
#include "adapters/command_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::wstring>;

TEST(NetshAddressCommands, BothSyntaxes) {
  const std::wstring name = L"Local Area Connection 2";
  struct Case {
    const char* what;
    Lines actual;
    Lines expected;
  } cases[] = {
      {"static with DNS, later Windows",
       StaticIpAndDnsCommands(false, name, L"192.168.11.100", L"192.168.11.1", L"8.8.8.8"),
       {L"netsh interface ip set address name=\"Local Area Connection 2\" source=static addr=192.168.11.100 "
        L"mask=255.255.255.0 gateway=192.168.11.1",
        L"netsh interface ip set dnsserver name=\"Local Area Connection 2\" source=static addr=8.8.8.8 primary"}},
      {"static with DNS, XP",
       StaticIpAndDnsCommands(true, name, L"192.168.11.100", L"192.168.11.1", L"8.8.8.8"),
       {L"netsh interface ip set address name=\"Local Area Connection 2\" static 192.168.11.100 255.255.255.0 "
        L"192.168.11.1 none",
        L"netsh interface ip set dns name=\"Local Area Connection 2\" static 8.8.8.8 primary"}},
      {"static, later Windows", StaticIpCommands(false, name, L"192.168.5.7"),
       {L"netsh interface ip set address name=\"Local Area Connection 2\" source=static addr=192.168.5.7 "
        L"mask=255.255.255.0"}},
      {"static, XP", StaticIpCommands(true, name, L"192.168.5.7"),
       {L"netsh interface ip set address name=\"Local Area Connection 2\" static 192.168.5.7 255.255.255.0 none"}},
      {"DHCP, later Windows", DhcpCommands(false, name),
       {L"netsh interface ip set address name=\"Local Area Connection 2\" dhcp",
        L"netsh interface ip set dnsservers name=\"Local Area Connection 2\" source=dhcp"}},
      {"DHCP, XP", DhcpCommands(true, name),
       {L"netsh interface ip set address name=\"Local Area Connection 2\" dhcp",
        L"netsh interface ip set dns name=\"Local Area Connection 2\" source=dhcp"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.expected, c.actual);
  }
}

TEST(ToolCommands, FirewallServiceAndPackages) {
  const std::wstring folder = L"C:\\Program Files\\Corvane";
  struct Case {
    const char* what;
    std::wstring actual;
    std::wstring expected;
  } cases[] = {
      {"interface on", InterfaceStateCommand(L"qvx 1", true), L"netsh interface set interface \"qvx 1\" ENABLED"},
      {"interface off", InterfaceStateCommand(L"qvx 1", false), L"netsh interface set interface \"qvx 1\" DISABLED"},
      {"program rule, later Windows", AddFirewallRuleCommand(false, kProgramRuleName, L"C:\\P\\Corvane.exe"),
       L"netsh advfirewall firewall add rule name=\"Corvane\" action=allow dir=in program=\"C:\\P\\Corvane.exe\""},
      {"program rule, XP", AddFirewallRuleCommand(true, kProgramRuleName, L"C:\\P\\Corvane.exe"),
       L"netsh firewall add allowedprogram \"C:\\P\\Corvane.exe\" \"Corvane\" ENABLE"},
      {"service rule, later Windows", AddFirewallRuleCommand(false, kServiceRuleName, ServiceProgramPath(folder)),
       L"netsh advfirewall firewall add rule name=\"Corvane Service\" action=allow dir=in "
       L"program=\"C:\\Program Files\\Corvane\\Service\\64\\Echoward.exe\""},
      {"rule removal, later Windows", DeleteFirewallRuleCommand(false, kServiceRuleName, L"ignored"),
       L"netsh advfirewall firewall delete rule name=\"Corvane Service\""},
      {"rule removal, XP", DeleteFirewallRuleCommand(true, kProgramRuleName, L"C:\\P\\Corvane.exe"),
       L"netsh firewall delete allowedprogram \"C:\\P\\Corvane.exe\""},
      {"service install, quoted", ServiceSwitchCommand(folder, L"/install"),
       L"\"C:\\Program Files\\Corvane\\Service\\64\\Echoward.exe\" /install"},
      {"service uninstall, quoted", ServiceSwitchCommand(folder, L"/uninstall"),
       L"\"C:\\Program Files\\Corvane\\Service\\64\\Echoward.exe\" /uninstall"},
      {"auto start", ServiceAutoStartCommand(L"C:\\windows\\system32"),
       L"C:\\windows\\system32\\sc.exe config \"Corvane\" start= auto"},
      {"start", ServiceStartCommand(L"C:\\windows\\system32"), L"C:\\windows\\system32\\sc.exe start \"Corvane\""},
      {"package", DeleteDriverPackageCommand(L"oem12.inf"), L"pnputil -f -d oem12.inf"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.expected, c.actual);
  }
}

TEST(CommandLineBuffer, HoldsAtMost259Characters) {
  struct Case {
    const char* what;
    size_t length;
    bool fits;
  } cases[] = {{"empty", 0, true}, {"259", 259, true}, {"260 needs the terminator's place", 260, false},
               {"far too long", 1000, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.fits, FitsCommandLineBuffer(std::wstring(c.length, L'x')));
  }
  const std::wstring longName(240, L'n');
  EXPECT_FALSE(FitsCommandLineBuffer(StaticIpCommands(false, longName, L"192.168.5.7")[0]))
      << "a long connection name makes a line the buffer cannot hold";
}

}  // namespace
