// The Routing page's rules without the system: which adapters carry the preferred default route,
// the route commands that make a chosen gateway the default, and the true metric of a route where
// Wine's route table reads the kernel's decimal digits as hex.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct RouteAdapter {
  std::string indexText, ipv4, gateway;
  bool defaultRoute = false;
};

struct Ipv4Route {
  uint32_t destination = 0, mask = 0, nextHop = 0;  // wire order as the route table gives them
  uint32_t type = 0, protocol = 0, metric = 0, interfaceIndex = 0;
};

// Marks the adapters whose interface carries a default route (0/0, indirect, network management)
// of the smallest metric (from 9999).
void MarkDefaultRouteAdapters(std::vector<RouteAdapter>& adapters, const std::vector<Ipv4Route>& routes);

// The "route change" lines: the private network metric 1, the chosen gateway 2, the other
// gateways 3, 4, ... in table order; adapters without a gateway get none.
std::vector<std::string> PlanDefaultRoutes(const std::vector<RouteAdapter>& adapters, const uint8_t privateAddress[4],
                                           const std::string& chosenIp, const std::string& chosenGateway);

// One route of the kernel's own table (/proc/net/route, addresses as it prints them).
struct KernelRoute {
  std::string interfaceName;
  uint32_t destination = 0, gateway = 0, mask = 0;  // wire order in memory
  uint32_t metric = 0;
};
std::vector<KernelRoute> ParseProcNetRoute(const std::string& text);

// The value Wine shows for a kernel metric: its decimal digits read as hex (100 shows as 256).
uint32_t MetricAsWineShowsIt(uint32_t kernelMetric);
// Gives each route its kernel metric where the table's value is the kernel's read as hex; a route
// the kernel's table does not hold keeps its value. True when any value was wrong.
bool MendRouteMetrics(std::vector<Ipv4Route>& routes, const std::vector<KernelRoute>& kernel);

// A "route" command line of the forms the page runs: ADD, CHANGE or DELETE with a destination,
// MASK m, a gateway, METRIC n and IF i (words in any letter case).
struct RouteCommand {
  std::string verb;  // "add", "change", "delete"
  std::string destination, mask, gateway;
  int metric = -1;
  int interfaceIndex = -1;
};
bool ParseRouteCommand(const std::vector<std::string>& words, RouteCommand* command, std::string* error);
// The prefix length of a contiguous mask text ("255.255.255.0" is 24); -1 otherwise.
int MaskPrefixLength(const std::string& mask);
