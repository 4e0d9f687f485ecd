#include "monitor/default_routes.h"

#include <windows.h>

#include "adapters/adapter_enum.h"
#include "adapters/command_runner.h"
#include "platform/route_table.h"

std::string NarrowText(const wchar_t* text) {
  std::string narrow;
  for (; *text; ++text) narrow += *text < 128 ? static_cast<char>(*text) : '?';
  return narrow;
}

bool ReadRouteAdapters(bool showAll, const uint8_t pppoeMac[6], bool hasPppoeMac, std::vector<IpAdapterRecord>* records,
                       std::vector<RouteAdapter>* adapters) {
  records->assign(kMaxAdapterRecords, IpAdapterRecord{});
  uint32_t count = 0;
  if (!EnumAdapters(records->data(), &count, showAll ? kAllAdapters : kMiniportsOnly, pppoeMac, hasPppoeMac)) return false;
  records->resize(count);
  std::vector<Ipv4Route> routes;
  if (!ReadIpv4RouteTable(&routes)) return false;
  adapters->clear();
  for (const IpAdapterRecord& r : *records) {
    adapters->push_back({NarrowText(r.indexText), NarrowText(r.ipv4), NarrowText(r.gateway), false});
  }
  MarkDefaultRouteAdapters(*adapters, routes);
  for (size_t i = 0; i < adapters->size(); ++i) (*records)[i].defaultRoute = (*adapters)[i].defaultRoute;
  return true;
}

std::vector<std::string> SetDefaultRoutes(const std::vector<RouteAdapter>& adapters, const uint8_t privateAddress[4],
                                          const std::string& chosenIp, const std::string& chosenGateway) {
  std::vector<std::string> commands = PlanDefaultRoutes(adapters, privateAddress, chosenIp, chosenGateway);
  for (const std::string& line : commands) {
    std::wstring wide(line.begin(), line.end());
    RunCommandAndWait(wide.c_str());
  }
  return commands;
}
