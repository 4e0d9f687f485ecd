// The Routing page's work on the system: the adapter records with their default-route marks, and
// the rewrite of the default-route metrics through the route tool, one hidden command after the
// other.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "adapters/adapter_records.h"
#include "monitor/route_plan.h"

// EnumAdapters (all adapters or only the product's miniports, with the PPPoE pseudo record when
// asked) and the marks of the route table; false when either cannot be read.
bool ReadRouteAdapters(bool showAll, const uint8_t pppoeMac[6], bool hasPppoeMac, std::vector<IpAdapterRecord>* records,
                       std::vector<RouteAdapter>* adapters);
// Runs the plan's "route change" lines; their exit codes are not examined.
std::vector<std::string> SetDefaultRoutes(const std::vector<RouteAdapter>& adapters, const uint8_t privateAddress[4],
                                          const std::string& chosenIp, const std::string& chosenGateway);
std::string NarrowText(const wchar_t* text);
