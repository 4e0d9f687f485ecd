// The netsh command lines of the installer, the removal and the address dialogs, in both syntaxes,
// and the ones netsh refuses.
#include "standins/tools/netsh_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Args = std::vector<std::wstring>;

struct Case {
  const char* what;
  Args args;
  NetshAction action;
  const wchar_t* connection;
  const wchar_t* address;
  const wchar_t* mask;
  const wchar_t* gateway;
  const wchar_t* dns;
};

TEST(NetshCommand, InterfaceForms) {
  const Case cases[] = {
      {"XP static with gateway", {L"interface", L"ip", L"set", L"address", L"name=Local Area Connection 2", L"static",
                                  L"192.168.11.100", L"255.255.255.0", L"192.168.11.1", L"none"},
       NetshAction::SetStaticAddress, L"Local Area Connection 2", L"192.168.11.100", L"255.255.255.0", L"192.168.11.1", L""},
      {"XP static without gateway", {L"interface", L"ip", L"set", L"address", L"name=qvx4097", L"static",
                                     L"192.168.7.3", L"255.255.255.0", L"none"},
       NetshAction::SetStaticAddress, L"qvx4097", L"192.168.7.3", L"255.255.255.0", L"", L""},
      {"later static with gateway", {L"interface", L"ip", L"set", L"address", L"name=qvx4098", L"source=static",
                                     L"addr=192.168.12.100", L"mask=255.255.255.0", L"gateway=192.168.12.1"},
       NetshAction::SetStaticAddress, L"qvx4098", L"192.168.12.100", L"255.255.255.0", L"192.168.12.1", L""},
      {"later static without gateway", {L"interface", L"ip", L"set", L"address", L"name=qvx4097", L"source=static",
                                        L"addr=192.168.7.3", L"mask=255.255.255.0"},
       NetshAction::SetStaticAddress, L"qvx4097", L"192.168.7.3", L"255.255.255.0", L"", L""},
      {"dhcp, both syntaxes", {L"interface", L"ip", L"set", L"address", L"name=eth0", L"dhcp"},
       NetshAction::SetDhcpAddress, L"eth0", L"", L"", L"", L""},
      {"XP dns", {L"interface", L"ip", L"set", L"dns", L"name=qvx4098", L"static", L"8.8.4.4", L"primary"},
       NetshAction::SetStaticDns, L"qvx4098", L"", L"", L"", L"8.8.4.4"},
      {"later dnsserver", {L"interface", L"ip", L"set", L"dnsserver", L"name=qvx4098", L"source=static",
                           L"addr=8.8.4.4", L"primary"},
       NetshAction::SetStaticDns, L"qvx4098", L"", L"", L"", L"8.8.4.4"},
      {"XP dns from dhcp", {L"interface", L"ip", L"set", L"dns", L"name=eth0", L"source=dhcp"},
       NetshAction::SetDhcpDns, L"eth0", L"", L"", L"", L""},
      {"later dnsservers from dhcp", {L"interface", L"ip", L"set", L"dnsservers", L"name=eth0", L"source=dhcp"},
       NetshAction::SetDhcpDns, L"eth0", L"", L"", L"", L""},
      {"letter case", {L"INTERFACE", L"IP", L"SET", L"ADDRESS", L"NAME=eth0", L"SOURCE=DHCP"},
       NetshAction::SetDhcpAddress, L"eth0", L"", L"", L"", L""},
      {"a mask that is none", {L"interface", L"ip", L"set", L"address", L"name=eth0", L"static", L"192.168.7.3",
                               L"255.0.255.0", L"none"},
       NetshAction::Invalid, L"", L"", L"", L"", L""},
      {"an address that is none", {L"interface", L"ip", L"set", L"address", L"name=eth0", L"static", L"192.168.7.300",
                                   L"255.255.255.0"},
       NetshAction::Invalid, L"", L"", L"", L"", L""},
      {"no name", {L"interface", L"ip", L"set", L"address", L"source=dhcp"}, NetshAction::Invalid, L"", L"", L"", L"",
       L""},
      {"dhcp with an address", {L"interface", L"ip", L"set", L"address", L"name=eth0", L"source=dhcp",
                                L"addr=192.168.7.3"},
       NetshAction::Invalid, L"", L"", L"", L"", L""},
      {"unknown tag", {L"interface", L"ip", L"set", L"address", L"name=eth0", L"colour=blue"}, NetshAction::Invalid, L"",
       L"", L"", L"", L""},
      {"too many values", {L"interface", L"ip", L"set", L"address", L"eth0", L"static", L"1.2.3.4", L"255.255.255.0",
                           L"1.2.3.1", L"1", L"extra"},
       NetshAction::Invalid, L"", L"", L"", L"", L""},
      {"unknown command", {L"interface", L"ip", L"show", L"config"}, NetshAction::Invalid, L"", L"", L"", L"", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    NetshCommand command = ParseNetshCommand(c.args);
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
    Args args;
    bool valid;
    bool enable;
  } cases[] = {
      {"as the installer enables", {L"interface", L"set", L"interface", L"qvx4097", L"ENABLED"}, true, true},
      {"as the installer disables", {L"interface", L"set", L"interface", L"eth0", L"DISABLED"}, true, false},
      {"tagged", {L"interface", L"set", L"interface", L"name=eth0", L"admin=disable"}, true, false},
      {"no state", {L"interface", L"set", L"interface", L"eth0"}, false, false},
      {"another state", {L"interface", L"set", L"interface", L"eth0", L"SLEEPING"}, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    NetshCommand command = ParseNetshCommand(c.args);
    EXPECT_EQ(command.action == NetshAction::SetInterfaceAdmin, c.valid);
    if (c.valid) {
      EXPECT_EQ(command.enable, c.enable);
      EXPECT_EQ(command.connection, c.args[3].find(L'=') == std::wstring::npos ? c.args[3] : c.args[3].substr(5));
    }
  }
}

TEST(NetshCommand, FirewallForms) {
  const std::wstring program = L"C:\\Program Files\\Corvane\\Corvane.exe";
  struct FirewallCase {
    const char* what;
    Args args;
    NetshAction action;
    const wchar_t* name;
    std::wstring program;
    const wchar_t* direction;
  } cases[] = {
      {"XP add", {L"firewall", L"add", L"allowedprogram", program, L"Corvane", L"ENABLE"}, NetshAction::FirewallAddProgram,
       L"Corvane", program, L""},
      {"XP delete", {L"firewall", L"delete", L"allowedprogram", program}, NetshAction::FirewallDeleteProgram, L"",
       program, L""},
      {"later add", {L"advfirewall", L"firewall", L"add", L"rule", L"name=Corvane Service", L"action=allow", L"dir=in",
                     L"program=" + program},
       NetshAction::AdvFirewallAddRule, L"Corvane Service", program, L"in"},
      {"later delete", {L"advfirewall", L"firewall", L"delete", L"rule", L"name=Corvane"},
       NetshAction::AdvFirewallDeleteRule, L"Corvane", L"", L""},
      {"XP add without a name", {L"firewall", L"add", L"allowedprogram", program}, NetshAction::Invalid, L"", L"", L""},
      {"later add without action", {L"advfirewall", L"firewall", L"add", L"rule", L"name=Corvane", L"dir=in"},
       NetshAction::Invalid, L"", L"", L""},
      {"later add, value without tag", {L"advfirewall", L"firewall", L"add", L"rule", L"Corvane", L"action=allow"},
       NetshAction::Invalid, L"", L"", L""},
      {"later delete without name", {L"advfirewall", L"firewall", L"delete", L"rule", L"dir=in"}, NetshAction::Invalid,
       L"", L"", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    NetshCommand command = ParseNetshCommand(c.args);
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
