#include "adapters/command_lines.h"

namespace {

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring AddressCommand(const std::wstring& name) {
  return L"netsh interface ip set address name=" + Quoted(name);
}

}  // namespace

bool FitsCommandLineBuffer(const std::wstring& commandLine) { return commandLine.size() < kCommandLineUnits; }

std::vector<std::wstring> StaticIpAndDnsCommands(bool xp, const std::wstring& connectionName,
                                                 const std::wstring& address, const std::wstring& gateway,
                                                 const std::wstring& dnsServer) {
  const std::wstring mask = kPrivateMask;
  if (xp) {
    return {AddressCommand(connectionName) + L" static " + address + L" " + mask + L" " + gateway + L" none",
            L"netsh interface ip set dns name=" + Quoted(connectionName) + L" static " + dnsServer + L" primary"};
  }
  return {AddressCommand(connectionName) + L" source=static addr=" + address + L" mask=" + mask + L" gateway=" + gateway,
          L"netsh interface ip set dnsserver name=" + Quoted(connectionName) + L" source=static addr=" + dnsServer +
              L" primary"};
}

std::vector<std::wstring> StaticIpCommands(bool xp, const std::wstring& connectionName, const std::wstring& address) {
  const std::wstring mask = kPrivateMask;
  if (xp) return {AddressCommand(connectionName) + L" static " + address + L" " + mask + L" none"};
  return {AddressCommand(connectionName) + L" source=static addr=" + address + L" mask=" + mask};
}

std::vector<std::wstring> DhcpCommands(bool xp, const std::wstring& connectionName) {
  const std::wstring dns = xp ? L"netsh interface ip set dns name=" : L"netsh interface ip set dnsservers name=";
  return {AddressCommand(connectionName) + L" dhcp", dns + Quoted(connectionName) + L" source=dhcp"};
}

std::wstring InterfaceStateCommand(const std::wstring& connectionName, bool enabled) {
  return L"netsh interface set interface " + Quoted(connectionName) + (enabled ? L" ENABLED" : L" DISABLED");
}

std::wstring AddFirewallRuleCommand(bool xp, const std::wstring& ruleName, const std::wstring& programPath) {
  if (xp) return L"netsh firewall add allowedprogram " + Quoted(programPath) + L" " + Quoted(ruleName) + L" ENABLE";
  return L"netsh advfirewall firewall add rule name=" + Quoted(ruleName) + L" action=allow dir=in program=" +
         Quoted(programPath);
}

std::wstring DeleteFirewallRuleCommand(bool xp, const std::wstring& ruleName, const std::wstring& programPath) {
  if (xp) return L"netsh firewall delete allowedprogram " + Quoted(programPath);
  return L"netsh advfirewall firewall delete rule name=" + Quoted(ruleName);
}

std::wstring ServiceProgramPath(const std::wstring& programFolder) {
  return programFolder + L"\\Service\\64\\Echoward.exe";
}

std::wstring ServiceSwitchCommand(const std::wstring& programFolder, const wchar_t* switchText) {
  return Quoted(ServiceProgramPath(programFolder)) + L" " + switchText;
}

std::wstring ServiceAutoStartCommand(const std::wstring& systemFolder) {
  return systemFolder + L"\\sc.exe config " + Quoted(kServiceName) + L" start= auto";
}

std::wstring ServiceStartCommand(const std::wstring& systemFolder) {
  return systemFolder + L"\\sc.exe start " + Quoted(kServiceName);
}

std::wstring DeleteDriverPackageCommand(const std::wstring& infName) { return L"pnputil -f -d " + infName; }
