// The netsh command lines the system runs, read into one record: the address, DNS and interface
// forms of "netsh interface" in the syntax of Windows XP and of later Windows, and the firewall
// forms of "netsh firewall" and "netsh advfirewall firewall". Pure text; netsh.cpp acts on it.
#pragma once
#include <string>
#include <vector>

enum class NetshAction {
  Invalid,              // `error` says why
  SetStaticAddress,     // address, mask, gateway ("" for none)
  SetDhcpAddress,
  SetStaticDns,         // dns
  SetDhcpDns,
  SetInterfaceAdmin,    // enable
  FirewallAddProgram,   // program, ruleName, enable                (Windows XP's "firewall")
  FirewallDeleteProgram,// program
  AdvFirewallAddRule,   // ruleName, ruleAction, direction, program
  AdvFirewallDeleteRule,// ruleName, direction/program when given
};

struct NetshCommand {
  NetshAction action = NetshAction::Invalid;
  std::wstring connection;  // the connection name of the interface forms
  std::wstring address, mask, gateway, dns;
  bool enable = true;
  std::wstring ruleName, ruleAction, direction, program;
  std::wstring error;
};

// `args` are netsh's arguments after the program name, as the C runtime splits them (quotes gone).
NetshCommand ParseNetshCommand(const std::vector<std::wstring>& args);

// Dotted IPv4 text; false for anything else.
bool IsIpv4Text(const std::wstring& text);
// The prefix length of a contiguous mask ("255.255.255.0" is 24); -1 when it is none.
int PrefixLengthOfMask(const std::wstring& mask);
