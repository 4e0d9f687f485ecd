// netsh.exe for Wine prefixes: Wine's own prints nothing and changes nothing. This one does the
// forms the system runs (netsh_command.h) on the Linux interface behind a connection name:
// addresses and the gateway with `ip`, the admin state up or down, DNS servers and firewall rules
// recorded where Windows keeps them (the interface's Tcpip key, the firewall policy), so that a
// later "dhcp" or "delete" takes back what was set. Prints and exits as netsh does.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "standins/driver/linux_shell.h"
#include "standins/driver/miniport_link.h"
#include "standins/driver/miniport_names.h"
#include "standins/tools/netsh_command.h"
#include "standins/tools/netsh_firewall.h"

namespace {

const wchar_t kConnections[] = L"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
const wchar_t kTcpipInterfaces[] = L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
const wchar_t kBadInterface[] = L"The filename, directory name, or volume label syntax is incorrect.";

std::string Narrow(const std::wstring& text) {
  std::string result;
  for (wchar_t c : text) result += c < 0x80 ? static_cast<char>(c) : '?';
  return result;
}

// The adapter GUID whose connection has that name (either letter case); "" when none has.
std::wstring GuidOfConnection(const std::wstring& connection) {
  HKEY connections;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kConnections, 0, KEY_READ, &connections) != ERROR_SUCCESS) return {};
  std::wstring found;
  wchar_t guid[128];
  for (DWORD i = 0; found.empty(); ++i) {
    DWORD length = 128;
    if (::RegEnumKeyExW(connections, i, guid, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    wchar_t name[260] = {};
    DWORD size = sizeof name - sizeof(wchar_t);
    if (::RegGetValueW(connections, (std::wstring(guid) + L"\\Connection").c_str(), L"Name", RRF_RT_REG_SZ, nullptr,
                       name, &size) == ERROR_SUCCESS &&
        _wcsicmp(name, connection.c_str()) == 0)
      found = guid;
  }
  ::RegCloseKey(connections);
  return found;
}

struct Target {
  std::wstring guid;
  std::wstring interfaceName;
};

// The Linux interface of a connection. A virtual miniport that has no interface yet gets it now:
// on Windows the adapter is there from its installation on.
bool FindTarget(const std::wstring& connection, Target* target) {
  auto interfaces = ListLinuxInterfaces();
  target->guid = GuidOfConnection(connection);
  uint32_t index = 0;
  if (target->guid.empty() || !IndexOfAdapterGuid(target->guid, &index)) {
    // Wine's own name for an adapter works too.
    for (const auto& i : interfaces) {
      if (i.name == connection) {
        *target = {AdapterGuidOfIndex(i.index), i.name};
        return true;
      }
    }
    return false;
  }
  target->interfaceName = InterfaceNameOfIndex(interfaces, index);
  if (!target->interfaceName.empty()) return true;
  std::vector<MiniportDevice> devices;
  if (!ListMiniportDevices(&devices)) return false;
  const MiniportDevice* device = FindMiniportDevice(devices, target->guid);
  if (!device) return false;
  std::wstring error;
  if (!CreateMiniportInterface(*device, &error)) {
    std::fwprintf(stderr, L"%ls\n", error.c_str());
    return false;
  }
  target->interfaceName = MiniportInterfaceName(index);
  return true;
}

HKEY OpenTcpipKey(const std::wstring& guid) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kTcpipInterfaces + guid).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

void SetMultiString(HKEY key, const wchar_t* name, const std::wstring& value) {
  std::wstring data = value + L'\0' + L'\0';
  ::RegSetValueExW(key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size() * sizeof(wchar_t)));
}

std::wstring FirstString(HKEY key, const wchar_t* name) {
  wchar_t value[128] = {};
  DWORD size = sizeof value - 2 * sizeof(wchar_t);
  if (::RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ | RRF_RT_REG_MULTI_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return {};
  return value;
}

void SetDword(HKEY key, const wchar_t* name, DWORD value) {
  ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// The default route of one interface carries a metric of its own: Linux keeps one default route
// per metric.
std::string DefaultRouteMetric(const std::wstring& guid) {
  uint32_t index = 0;
  IndexOfAdapterGuid(guid, &index);
  return std::to_string(256 + index % 65536);
}

// Takes away the address and gateway that an earlier static setting recorded; what Linux took away
// meanwhile (a route goes with its link) is no failure.
std::string UndoStaticScript(HKEY key, const std::string& device) {
  std::wstring address = FirstString(key, L"IPAddress"), mask = FirstString(key, L"SubnetMask");
  std::wstring gateway = FirstString(key, L"DefaultGateway");
  std::string script;
  if (IsIpv4Text(address) && PrefixLengthOfMask(mask) >= 0)
    script += "ip addr del " + Narrow(address) + "/" + std::to_string(PrefixLengthOfMask(mask)) + " dev " + device +
              " 2>/dev/null || :\n";
  if (IsIpv4Text(gateway)) script += "ip route del default via " + Narrow(gateway) + " dev " + device + " 2>/dev/null || :\n";
  return script;
}

int Fail(const std::wstring& text, int code = 1) {
  std::wprintf(L"%ls\n\n", text.c_str());
  return code;
}

int RunScript(const std::string& script) {
  LinuxShellResult result = RunLinuxShell(script);
  if (!result.ran) return Fail(L"The RPC server is unavailable.");
  if (result.exitCode != 0) {
    std::printf("%s\n", result.output.c_str());
    return 1;
  }
  return 0;
}

int SetAddress(const NetshCommand& command, const Target& target) {
  HKEY key = OpenTcpipKey(target.guid);
  if (!key) return Fail(L"Access is denied.");
  std::string device = ShellQuoted(Narrow(target.interfaceName));
  std::string script = UndoStaticScript(key, device);
  if (command.action == NetshAction::SetStaticAddress) {
    // Windows keeps one static address per "set address"; the computer's own stays as it came.
    script += "ip addr replace " + Narrow(command.address) + "/" + std::to_string(PrefixLengthOfMask(command.mask)) +
              " brd + dev " + device + " || exit 1\n";
    if (!command.gateway.empty())
      script += "ip route replace default via " + Narrow(command.gateway) + " dev " + device + " metric " +
                DefaultRouteMetric(target.guid) + " || exit 1\n";
  }
  int code = RunScript(script);
  // A static setting is recorded even when part of it failed, so that the next one or "dhcp" takes
  // back whatever part was made.
  bool dhcp = command.action == NetshAction::SetDhcpAddress;
  if (!dhcp || code == 0) {
    SetDword(key, L"EnableDHCP", dhcp ? 1 : 0);
    if (dhcp) {
      ::RegDeleteValueW(key, L"IPAddress");
      ::RegDeleteValueW(key, L"SubnetMask");
      ::RegDeleteValueW(key, L"DefaultGateway");
    } else {
      SetMultiString(key, L"IPAddress", command.address);
      SetMultiString(key, L"SubnetMask", command.mask);
      if (command.gateway.empty()) ::RegDeleteValueW(key, L"DefaultGateway");
      else SetMultiString(key, L"DefaultGateway", command.gateway);
    }
  }
  ::RegCloseKey(key);
  return code;
}

// The namespace shares the host's resolver file, so the DNS server is only recorded.
int SetDns(const NetshCommand& command, const Target& target) {
  HKEY key = OpenTcpipKey(target.guid);
  if (!key) return Fail(L"Access is denied.");
  if (command.action == NetshAction::SetStaticDns) {
    ::RegSetValueExW(key, L"NameServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.dns.c_str()),
                     static_cast<DWORD>((command.dns.size() + 1) * sizeof(wchar_t)));
  } else {
    ::RegDeleteValueW(key, L"NameServer");
  }
  ::RegCloseKey(key);
  return 0;
}

// A virtual miniport takes the MAC of its "NetworkAddress" anew when it is enabled.
int SetAdmin(const NetshCommand& command, const Target& target) {
  std::wstring error;
  uint32_t index = 0;
  std::vector<MiniportDevice> devices;
  if (command.enable && IndexOfMiniportInterfaceName(target.interfaceName, &index) && ListMiniportDevices(&devices)) {
    const MiniportDevice* device = FindMiniportDevice(devices, target.guid);
    if (device && !ApplyMiniportMac(*device, &error)) std::fwprintf(stderr, L"%ls\n", error.c_str());
  }
  if (SetInterfaceUp(target.interfaceName, command.enable, &error)) return 0;
  std::wprintf(L"%ls\n", error.c_str());
  return 1;
}

int Run(const NetshCommand& command) {
  switch (command.action) {
    case NetshAction::Invalid:
      return Fail(command.error);
    case NetshAction::FirewallAddProgram:
    case NetshAction::FirewallDeleteProgram:
    case NetshAction::AdvFirewallAddRule:
    case NetshAction::AdvFirewallDeleteRule:
      return RunFirewallCommand(command);
    default:
      break;
  }
  Target target;
  if (!FindTarget(command.connection, &target)) return Fail(kBadInterface);
  switch (command.action) {
    case NetshAction::SetStaticAddress:
    case NetshAction::SetDhcpAddress:
      return SetAddress(command, target);
    case NetshAction::SetStaticDns:
    case NetshAction::SetDhcpDns:
      return SetDns(command, target);
    default:
      return SetAdmin(command, target);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> args(argv + 1, argv + argc);
  return Run(ParseNetshCommand(args));
}
