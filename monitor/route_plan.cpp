#include "monitor/route_plan.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {
constexpr uint32_t kIndirect = 4;
constexpr uint32_t kNetworkManagement = 3;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool ParseDottedQuad(const std::string& text, uint8_t out[4]) {
  unsigned a, b, c, d;
  char tail;
  if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) != 4) return false;
  if (a > 255 || b > 255 || c > 255 || d > 255) return false;
  out[0] = static_cast<uint8_t>(a), out[1] = static_cast<uint8_t>(b), out[2] = static_cast<uint8_t>(c),
  out[3] = static_cast<uint8_t>(d);
  return true;
}

bool ParseNumber(const std::string& text, int* value) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  *value = std::atoi(text.c_str());
  return true;
}
}  // namespace

void MarkDefaultRouteAdapters(std::vector<RouteAdapter>& adapters, const std::vector<Ipv4Route>& routes) {
  uint32_t smallest = 9999;
  auto candidate = [](const Ipv4Route& r) {
    return r.destination == 0 && r.mask == 0 && r.type == kIndirect && r.protocol == kNetworkManagement;
  };
  for (const Ipv4Route& r : routes) {
    if (candidate(r) && r.metric < smallest) smallest = r.metric;
  }
  for (RouteAdapter& a : adapters) a.defaultRoute = false;
  for (const Ipv4Route& r : routes) {
    if (!candidate(r) || r.metric != smallest) continue;
    for (RouteAdapter& a : adapters) {
      if (static_cast<uint32_t>(std::atol(a.indexText.c_str())) != r.interfaceIndex) continue;
      a.defaultRoute = true;
      break;
    }
  }
}

std::vector<std::string> PlanDefaultRoutes(const std::vector<RouteAdapter>& adapters, const uint8_t p[4],
                                           const std::string& chosenIp, const std::string& chosenGateway) {
  char privateText[16], privateNet[16];
  std::snprintf(privateText, sizeof privateText, "%d.%d.%d.%d", p[0], p[1], p[2], p[3]);
  std::snprintf(privateNet, sizeof privateNet, "%d.%d.%d.0", p[0], p[1], p[2]);
  std::string chosenInterface = "0";
  for (const RouteAdapter& a : adapters) {
    if (a.ipv4 == chosenIp) {
      chosenInterface = a.indexText;
      break;
    }
  }
  std::vector<std::string> commands;
  int metric = 3;
  char line[260];
  for (const RouteAdapter& a : adapters) {
    if (a.ipv4 == privateText) {
      std::snprintf(line, sizeof line, "route change %s MASK 255.255.255.0 %s METRIC %d IF %s", privateNet,
                    privateText, 1, a.indexText.c_str());
    } else if (a.gateway == "0.0.0.0") {
      continue;
    } else if (a.indexText == chosenInterface) {
      std::snprintf(line, sizeof line, "route change 0.0.0.0 MASK 0.0.0.0 %s METRIC %d IF %s", chosenGateway.c_str(),
                    2, chosenInterface.c_str());
    } else {
      std::snprintf(line, sizeof line, "route change 0.0.0.0 MASK 0.0.0.0 %s METRIC %d IF %s", a.gateway.c_str(),
                    metric++, a.indexText.c_str());
    }
    commands.push_back(line);
  }
  return commands;
}

std::vector<KernelRoute> ParseProcNetRoute(const std::string& text) {
  std::vector<KernelRoute> routes;
  std::istringstream lines(text);
  std::string line;
  std::getline(lines, line);  // the heading
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string name, destination, gateway, flags, refCount, use, metric, mask;
    if (!(fields >> name >> destination >> gateway >> flags >> refCount >> use >> metric >> mask)) continue;
    KernelRoute route;
    route.interfaceName = name;
    char* end = nullptr;
    route.destination = static_cast<uint32_t>(std::strtoul(destination.c_str(), &end, 16));
    route.gateway = static_cast<uint32_t>(std::strtoul(gateway.c_str(), &end, 16));
    route.mask = static_cast<uint32_t>(std::strtoul(mask.c_str(), &end, 16));
    route.metric = static_cast<uint32_t>(std::strtoul(metric.c_str(), &end, 10));
    routes.push_back(route);
  }
  return routes;
}

uint32_t MetricAsWineShowsIt(uint32_t kernelMetric) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%u", kernelMetric);
  return static_cast<uint32_t>(std::strtoul(digits, nullptr, 16));
}

bool MendRouteMetrics(std::vector<Ipv4Route>& routes, const std::vector<KernelRoute>& kernel) {
  bool wrong = false;
  std::vector<bool> used(kernel.size(), false);
  for (Ipv4Route& route : routes) {
    for (size_t k = 0; k < kernel.size(); ++k) {
      const KernelRoute& kr = kernel[k];
      if (used[k] || kr.destination != route.destination || kr.mask != route.mask || kr.gateway != route.nextHop) continue;
      if (route.metric != kr.metric && route.metric != MetricAsWineShowsIt(kr.metric)) continue;
      used[k] = true;
      if (route.metric != kr.metric) {
        route.metric = kr.metric;
        wrong = true;
      }
      break;
    }
  }
  return wrong;
}

int MaskPrefixLength(const std::string& mask) {
  uint8_t bytes[4];
  if (!ParseDottedQuad(mask, bytes)) return -1;
  uint32_t value = static_cast<uint32_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
  int length = 0;
  while (length < 32 && (value & (0x80000000u >> length))) ++length;
  uint32_t expected = length ? 0xFFFFFFFFu << (32 - length) : 0;
  return value == expected ? length : -1;
}

bool ParseRouteCommand(const std::vector<std::string>& words, RouteCommand* command, std::string* error) {
  RouteCommand parsed;
  size_t i = 0;
  if (i < words.size() && Lower(words[i]) == "route") ++i;
  if (i >= words.size()) return *error = "no command", false;
  parsed.verb = Lower(words[i++]);
  if (parsed.verb != "add" && parsed.verb != "change" && parsed.verb != "delete") {
    return *error = "unknown command " + words[i - 1], false;
  }
  uint8_t scratch[4];
  if (i >= words.size() || !ParseDottedQuad(words[i], scratch)) return *error = "no destination", false;
  parsed.destination = words[i++];
  while (i < words.size()) {
    std::string word = Lower(words[i]);
    bool hasValue = i + 1 < words.size();
    if (word == "mask" && hasValue) {
      parsed.mask = words[i + 1];
      if (MaskPrefixLength(parsed.mask) < 0) return *error = "bad mask " + parsed.mask, false;
      i += 2;
    } else if (word == "metric" && hasValue) {
      if (!ParseNumber(words[i + 1], &parsed.metric) || parsed.metric < 1) return *error = "bad metric", false;
      i += 2;
    } else if (word == "if" && hasValue) {
      if (!ParseNumber(words[i + 1], &parsed.interfaceIndex)) return *error = "bad interface", false;
      i += 2;
    } else if (parsed.gateway.empty() && ParseDottedQuad(words[i], scratch)) {
      parsed.gateway = words[i++];
    } else {
      return *error = "unexpected " + words[i], false;
    }
  }
  if (parsed.mask.empty()) parsed.mask = "255.255.255.255";
  if (parsed.verb != "delete" && parsed.gateway.empty()) return *error = "no gateway", false;
  *command = parsed;
  return true;
}
