// The probe of the routing system test: the Routing page's reading and rewriting of the default
// routes without its window.
//   routing_probe list                       one line per adapter: "adapter INDEX IP GATEWAY MARK"
//                                            and one per default route: "route IFINDEX METRIC"
//   routing_probe choose IP GATEWAY PRIVATE  runs the route commands, prints them
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "monitor/default_routes.h"
#include "platform/route_table.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  std::wstring what = argv[1];
  uint8_t noMac[6] = {};
  std::vector<IpAdapterRecord> records;
  std::vector<RouteAdapter> adapters;
  if (!ReadRouteAdapters(true, noMac, false, &records, &adapters)) {
    std::printf("cannot read the adapters or routes\n");
    return 1;
  }
  if (what == L"list") {
    for (const RouteAdapter& a : adapters) {
      std::printf("adapter %s %s %s %s\n", a.indexText.c_str(), a.ipv4.c_str(), a.gateway.c_str(),
                  a.defaultRoute ? "*" : "-");
    }
    std::vector<Ipv4Route> routes;
    ReadIpv4RouteTable(&routes);
    for (const Ipv4Route& r : routes) {
      if (r.destination == 0 && r.mask == 0) std::printf("route %u %u\n", r.interfaceIndex, r.metric);
    }
    return 0;
  }
  if (what == L"choose" && argc == 5) {
    unsigned p[4];
    if (std::swscanf(argv[4], L"%u.%u.%u.%u", &p[0], &p[1], &p[2], &p[3]) != 4) return 2;
    uint8_t privateAddress[4] = {uint8_t(p[0]), uint8_t(p[1]), uint8_t(p[2]), uint8_t(p[3])};
    for (const std::string& line : SetDefaultRoutes(adapters, privateAddress, NarrowText(argv[2]), NarrowText(argv[3]))) {
      std::printf("ran %s\n", line.c_str());
    }
    return 0;
  }
  return 2;
}
