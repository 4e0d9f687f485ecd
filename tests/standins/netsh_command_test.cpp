// The netsh command lines of the installer, the removal and the address dialogs, whole as they
// build them (quotes and all), in both syntaxes, and the ones netsh refuses.
#include "standins/tools/netsh_command.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// netsh's arguments as the C runtime hands them to it: split as Windows splits a command line.
NetshCommand ParseLine(const std::wstring& commandLine) {
  int count = 0;
  wchar_t** argv = ::CommandLineToArgvW(commandLine.c_str(), &count);
  std::vector<std::wstring> args;
  for (int i = 1; argv && i < count; ++i) args.push_back(argv[i]);
  ::LocalFree(argv);
  return ParseNetshCommand(args);
}

struct Case {
  const char* what;
  std::wstring line;
  NetshAction action;
  const wchar_t* connection;
  const wchar_t* address;
  const wchar_t* mask;
  const wchar_t* gateway;
  const wchar_t* dns;
};

TEST(NetshCommand, InterfaceForms) {
  const Case cases[] = {
      {"XP static with gateway and DNS (SetStaticIpAndDns)",
       L"netsh interface ip set address name=\"Local Area Connection 2\" static 192.168.11.100 255.255.255.0 "
       L"192.168.11.1 none",
       NetshAction::SetStaticAddress, L"Local Area Connection 2", L"192.168.11.100", L"255.255.255.0", L"192.168.11.1",
       L""},
      {"XP DNS (SetStaticIpAndDns)", L"netsh interface ip set dns name=\"Local Area Connection 2\" static 8.8.4.4 primary",
       NetshAction::SetStaticDns, L"Local Area Connection 2", L"", L"", L"", L"8.8.4.4"},
      {"XP static alone (SetStaticIp)",
       L"netsh interface ip set address name=\"qvx4097\" static 192.168.7.3 255.255.255.0 none",
       NetshAction::SetStaticAddress, L"qvx4097", L"192.168.7.3", L"255.255.255.0", L"", L""},
      {"XP dhcp (SetDhcp)", L"netsh interface ip set address name=\"eth0\" dhcp", NetshAction::SetDhcpAddress, L"eth0",
       L"", L"", L"", L""},
      {"XP DNS from dhcp (SetDhcp)", L"netsh interface ip set dns name=\"eth0\" source=dhcp", NetshAction::SetDhcpDns,
       L"eth0", L"", L"", L"", L""},
      {"later static with gateway (SetStaticIpAndDns)",
       L"netsh interface ip set address name=\"qvx4098\" source=static addr=192.168.12.100 mask=255.255.255.0 "
       L"gateway=192.168.12.1",
       NetshAction::SetStaticAddress, L"qvx4098", L"192.168.12.100", L"255.255.255.0", L"192.168.12.1", L""},
      {"later DNS (SetStaticIpAndDns)",
       L"netsh interface ip set dnsserver name=\"qvx4098\" source=static addr=8.8.4.4 primary",
       NetshAction::SetStaticDns, L"qvx4098", L"", L"", L"", L"8.8.4.4"},
      {"later static alone (SetStaticIp)",
       L"netsh interface ip set address name=\"Local Area Connection 2\" source=static addr=192.168.5.7 "
       L"mask=255.255.255.0",
       NetshAction::SetStaticAddress, L"Local Area Connection 2", L"192.168.5.7", L"255.255.255.0", L"", L""},
      {"later DNS from dhcp (SetDhcp)", L"netsh interface ip set dnsservers name=\"eth0\" source=dhcp",
       NetshAction::SetDhcpDns, L"eth0", L"", L"", L"", L""},
      {"letter case and no quotes", L"netsh INTERFACE IP SET ADDRESS NAME=eth0 SOURCE=DHCP", NetshAction::SetDhcpAddress,
       L"eth0", L"", L"", L"", L""},
      {"a mask that is none", L"netsh interface ip set address name=eth0 static 192.168.7.3 255.0.255.0 none",
       NetshAction::Invalid, L"", L"", L"", L"", L""},
      {"an address that is none", L"netsh interface ip set address name=eth0 static 192.168.7.300 255.255.255.0",
       NetshAction::Invalid, L"", L"", L"", L"", L""},
      {"a gateway that is none", L"netsh interface ip set address name=eth0 static 192.168.7.3 255.255.255.0 gw",
       NetshAction::Invalid, L"", L"", L"", L"", L""},
      {"no name", L"netsh interface ip set address source=dhcp", NetshAction::Invalid, L"", L"", L"", L"", L""},
      {"an empty name", L"netsh interface ip set address name=\"\" dhcp", NetshAction::Invalid, L"", L"", L"", L"", L""},
      {"dhcp with an address", L"netsh interface ip set address name=eth0 source=dhcp addr=192.168.7.3",
       NetshAction::Invalid, L"", L"", L"", L"", L""},
      {"unknown tag", L"netsh interface ip set address name=eth0 colour=blue", NetshAction::Invalid, L"", L"", L"", L"",
       L""},
      {"too many values", L"netsh interface ip set address eth0 static 1.2.3.4 255.255.255.0 1.2.3.1 1 extra",
       NetshAction::Invalid, L"", L"", L"", L"", L""},
      {"a DNS server that is none", L"netsh interface ip set dns name=eth0 static 8.8.4 primary", NetshAction::Invalid,
       L"", L"", L"", L"", L""},
      {"unknown command", L"netsh interface ip show config", NetshAction::Invalid, L"", L"", L"", L"", L""},
      {"nothing", L"netsh", NetshAction::Invalid, L"", L"", L"", L"", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    NetshCommand command = ParseLine(c.line);
    EXPECT_EQ(command.action, c.action) << std::string(command.error.begin(), command.error.end());
    if (c.action == NetshAction::Invalid) {
      EXPECT_FALSE(command.error.empty());
      continue;
    }
    EXPECT_EQ(command.connection, c.connection);
    EXPECT_EQ(command.address, c.address);
    EXPECT_EQ(command.mask, c.mask);
    EXPECT_EQ(command.gateway, c.gateway);
    EXPECT_EQ(command.dns, c.dns);
  }
}

TEST(NetshCommand, InterfaceAdminState) {
  struct AdminCase {
    const char* what;
    std::wstring line;
    bool valid;
    const wchar_t* connection;
    bool enable;
  } cases[] = {
      {"as the installer enables", L"netsh interface set interface \"Local Area Connection 3\" ENABLED", true,
       L"Local Area Connection 3", true},
      {"as the installer disables", L"netsh interface set interface \"eth0\" DISABLED", true, L"eth0", false},
      {"tagged", L"netsh interface set interface name=eth0 admin=disable", true, L"eth0", false},
      {"no state", L"netsh interface set interface \"eth0\"", false, L"", false},
      {"another state", L"netsh interface set interface \"eth0\" SLEEPING", false, L"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    NetshCommand command = ParseLine(c.line);
    EXPECT_EQ(command.action == NetshAction::SetInterfaceAdmin, c.valid);
    if (!c.valid) continue;
    EXPECT_EQ(command.enable, c.enable);
    EXPECT_EQ(command.connection, c.connection);
  }
}

TEST(NetshCommand, FirewallForms) {
  const std::wstring program = L"C:\\Program Files\\Corvane\\Corvane.exe";
  const std::wstring service = L"C:\\Program Files\\Corvane\\Service\\64\\Echoward.exe";
  struct FirewallCase {
    const char* what;
    std::wstring line;
    NetshAction action;
    const wchar_t* name;
    std::wstring program;
    const wchar_t* direction;
  } cases[] = {
      {"XP program rule", L"netsh firewall add allowedprogram \"" + program + L"\" \"Corvane\" ENABLE",
       NetshAction::FirewallAddProgram, L"Corvane", program, L""},
      {"XP service rule", L"netsh firewall add allowedprogram \"" + service + L"\" \"Corvane Service\" ENABLE",
       NetshAction::FirewallAddProgram, L"Corvane Service", service, L""},
      {"XP removal", L"netsh firewall delete allowedprogram \"" + service + L"\"", NetshAction::FirewallDeleteProgram,
       L"", service, L""},
      {"later program rule",
       L"netsh advfirewall firewall add rule name=\"Corvane\" action=allow dir=in program=\"" + program + L"\"",
       NetshAction::AdvFirewallAddRule, L"Corvane", program, L"in"},
      {"later service rule",
       L"netsh advfirewall firewall add rule name=\"Corvane Service\" action=allow dir=in program=\"" + service + L"\"",
       NetshAction::AdvFirewallAddRule, L"Corvane Service", service, L"in"},
      {"later removal", L"netsh advfirewall firewall delete rule name=\"Corvane Service\"",
       NetshAction::AdvFirewallDeleteRule, L"Corvane Service", L"", L""},
      {"XP add without a name", L"netsh firewall add allowedprogram \"" + program + L"\"", NetshAction::Invalid, L"",
       L"", L""},
      {"XP add in another mode", L"netsh firewall add allowedprogram \"" + program + L"\" Corvane SOMETIMES",
       NetshAction::Invalid, L"", L"", L""},
      {"later add without action", L"netsh advfirewall firewall add rule name=Corvane dir=in", NetshAction::Invalid, L"",
       L"", L""},
      {"later add, value without tag", L"netsh advfirewall firewall add rule Corvane action=allow", NetshAction::Invalid,
       L"", L"", L""},
      {"later add in another direction", L"netsh advfirewall firewall add rule name=Corvane action=allow dir=up",
       NetshAction::Invalid, L"", L"", L""},
      {"later delete without name", L"netsh advfirewall firewall delete rule dir=in", NetshAction::Invalid, L"", L"",
       L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    NetshCommand command = ParseLine(c.line);
    EXPECT_EQ(command.action, c.action);
    if (c.action == NetshAction::Invalid) continue;
    EXPECT_EQ(command.ruleName, c.name);
    EXPECT_EQ(command.program, c.program);
    EXPECT_EQ(command.direction, c.direction);
  }
}

TEST(NetshCommand, Masks) {
  struct MaskCase {
    const wchar_t* mask;
    int length;
  } cases[] = {{L"255.255.255.0", 24}, {L"255.255.255.255", 32}, {L"0.0.0.0", 0},    {L"255.255.254.0", 23},
               {L"255.0.255.0", -1},   {L"255.255.255", -1},     {L"255.255.255.256", -1}, {L"", -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.mask, c.mask + wcslen(c.mask)));
    EXPECT_EQ(PrefixLengthOfMask(c.mask), c.length);
  }
}

}  // namespace
