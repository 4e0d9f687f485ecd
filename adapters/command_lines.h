// The command lines the installer and the removal hand to system tools (netsh, sc.exe, pnputil,
// the service program), built from the plan's texts. No windows.h: the native build checks them.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Every command line goes through a buffer of this many UTF-16 units, terminator included.
constexpr size_t kCommandLineUnits = 260;
// What fits that buffer: at most 259 characters. A longer line is refused, never cut.
bool FitsCommandLineBuffer(const std::wstring& commandLine);

// Every caller's mask; both static-address forms use it whatever they are given.
inline constexpr wchar_t kPrivateMask[] = L"255.255.255.0";

// The netsh address forms, in the order they run (each list then runs a second time).
std::vector<std::wstring> StaticIpAndDnsCommands(bool xp, const std::wstring& connectionName,
                                                 const std::wstring& address, const std::wstring& gateway,
                                                 const std::wstring& dnsServer);
std::vector<std::wstring> StaticIpCommands(bool xp, const std::wstring& connectionName, const std::wstring& address);
std::vector<std::wstring> DhcpCommands(bool xp, const std::wstring& connectionName);

// "netsh interface set interface "<name>" ENABLED" (or DISABLED).
std::wstring InterfaceStateCommand(const std::wstring& connectionName, bool enabled);

// Firewall rules for a program under a rule name ("Corvane", "Corvane Service").
std::wstring AddFirewallRuleCommand(bool xp, const std::wstring& ruleName, const std::wstring& programPath);
// On XP the rule goes by its program, later by its name.
std::wstring DeleteFirewallRuleCommand(bool xp, const std::wstring& ruleName, const std::wstring& programPath);

// The service program below the program folder, and its own installation switches. The path is
// quoted: a folder under "C:\Program Files" would otherwise start "C:\Program.exe".
std::wstring ServiceProgramPath(const std::wstring& programFolder);
std::wstring ServiceSwitchCommand(const std::wstring& programFolder, const wchar_t* switchText);
std::wstring ServiceAutoStartCommand(const std::wstring& systemFolder);
std::wstring ServiceStartCommand(const std::wstring& systemFolder);

// "pnputil -f -d <inf>".
std::wstring DeleteDriverPackageCommand(const std::wstring& infName);

// The service's name in the control manager and the rule names.
inline constexpr wchar_t kServiceName[] = L"Corvane";
inline constexpr wchar_t kProgramRuleName[] = L"Corvane";
inline constexpr wchar_t kServiceRuleName[] = L"Corvane Service";
