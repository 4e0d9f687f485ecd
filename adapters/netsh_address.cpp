#include "adapters/netsh_address.h"

#include <vector>

#include "adapters/command_lines.h"
#include "adapters/command_runner.h"
#include "adapters/connection_name.h"

namespace {

bool FindName(const std::wstring& adapterGuid, std::wstring& name) {
  wchar_t found[kConnectionNameUnits] = {};
  if (!GetConnectionName(found, adapterGuid.c_str())) return false;
  name = found;
  return true;
}

void RunTwice(const std::vector<std::wstring>& commands) {
  for (int round = 0; round < 2; ++round) {
    for (const auto& command : commands) RunCommandAndWait(command.c_str());
  }
}

}  // namespace

bool SetStaticIpAndDns(bool xp, const std::wstring& adapterGuid, const std::wstring& address, const std::wstring&,
                       const std::wstring& gateway, const std::wstring& dnsServer) {
  std::wstring name;
  if (!FindName(adapterGuid, name)) return false;
  RunTwice(StaticIpAndDnsCommands(xp, name, address, gateway, dnsServer));
  return true;
}

bool SetStaticIp(bool xp, const std::wstring& adapterGuid, const std::wstring& address, const std::wstring&) {
  std::wstring name;
  if (!FindName(adapterGuid, name)) return false;
  RunTwice(StaticIpCommands(xp, name, address));
  return true;
}

bool SetDhcp(bool xp, const std::wstring& adapterGuid) {
  if (adapterGuid.empty()) return true;
  std::wstring name;
  if (!FindName(adapterGuid, name)) return false;
  RunTwice(DhcpCommands(xp, name));
  return true;
}
