// The Routing page's rules: the default-route marks, the metric rewrite plan, the metric fill-in
// over the kernel's table, and the route tool's command forms.
#include "monitor/route_plan.h"

#include <gtest/gtest.h>

namespace {

const uint8_t kPrivate[4] = {192, 168, 5, 1};

std::vector<RouteAdapter> Three() {
  return {{"11", "10.0.1.5", "10.0.1.1"}, {"12", "10.0.2.5", "10.0.2.1"}, {"13", "192.168.5.1", "0.0.0.0"},
          {"14", "10.0.3.5", "10.0.3.1"}, {"15", "10.0.4.5", "0.0.0.0"}};
}

TEST(PlanDefaultRoutes, Table) {
  struct Case {
    const char* what;
    std::string ip, gateway;
    std::vector<std::string> commands;
  } cases[] = {
      {"the middle gateway chosen",
       "10.0.2.5",
       "10.0.2.1",
       {"route change 0.0.0.0 MASK 0.0.0.0 10.0.1.1 METRIC 3 IF 11",
        "route change 0.0.0.0 MASK 0.0.0.0 10.0.2.1 METRIC 2 IF 12",
        "route change 192.168.5.0 MASK 255.255.255.0 192.168.5.1 METRIC 1 IF 13",
        "route change 0.0.0.0 MASK 0.0.0.0 10.0.3.1 METRIC 4 IF 14"}},
      {"an address of no adapter",
       "10.9.9.9",
       "10.9.9.1",
       {"route change 0.0.0.0 MASK 0.0.0.0 10.0.1.1 METRIC 3 IF 11",
        "route change 0.0.0.0 MASK 0.0.0.0 10.0.2.1 METRIC 4 IF 12",
        "route change 192.168.5.0 MASK 255.255.255.0 192.168.5.1 METRIC 1 IF 13",
        "route change 0.0.0.0 MASK 0.0.0.0 10.0.3.1 METRIC 5 IF 14"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(PlanDefaultRoutes(Three(), kPrivate, c.ip, c.gateway), c.commands);
  }
}

TEST(MarkDefaultRouteAdapters, MarksEveryAdapterOfTheSmallestMetric) {
  auto adapters = Three();
  std::vector<Ipv4Route> routes = {
      {0, 0, 0x0101000A, 4, 3, 20, 11}, {0, 0, 0x0102000A, 4, 3, 10, 12}, {0, 0, 0x0103000A, 4, 3, 10, 14},
      {0, 0, 0x0103000A, 4, 2, 1, 11},  // not network management
      {0x0005A8C0, 0x00FFFFFF, 0, 3, 3, 1, 13},
  };
  MarkDefaultRouteAdapters(adapters, routes);
  EXPECT_FALSE(adapters[0].defaultRoute);
  EXPECT_TRUE(adapters[1].defaultRoute);
  EXPECT_TRUE(adapters[3].defaultRoute);
  EXPECT_FALSE(adapters[2].defaultRoute);
}

TEST(MendRouteMetrics, GivesTheKernelsMetricWhereWineReadItAsHex) {
  EXPECT_EQ(MetricAsWineShowsIt(100), 256u);
  EXPECT_EQ(MetricAsWineShowsIt(3), 3u);
  std::string proc =
      "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
      "eth0\t00000000\t0101000A\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
      "eth1\t00000000\t0102000A\t0003\t0\t0\t12\t00000000\t0\t0\t0\n"
      "eth0\t0001000A\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
  auto kernel = ParseProcNetRoute(proc);
  ASSERT_EQ(kernel.size(), 3u);
  EXPECT_EQ(kernel[1].interfaceName, "eth1");
  EXPECT_EQ(kernel[1].gateway, 0x0102000Au);
  std::vector<Ipv4Route> routes = {{0, 0, 0x0101000A, 4, 3, 256, 2}, {0, 0, 0x0102000A, 4, 3, 18, 3},
                                   {0x0001000A, 0x00FFFFFF, 0, 3, 3, 0, 2}, {0, 0, 0x0909090A, 4, 3, 7, 9}};
  EXPECT_TRUE(MendRouteMetrics(routes, kernel));
  EXPECT_EQ(routes[0].metric, 100u);
  EXPECT_EQ(routes[1].metric, 12u);
  EXPECT_EQ(routes[2].metric, 0u);
  EXPECT_EQ(routes[3].metric, 7u);  // not in the kernel's table: kept
  EXPECT_FALSE(MendRouteMetrics(routes, kernel));  // now true: nothing to mend
}

TEST(ParseRouteCommand, Table) {
  struct Case {
    const char* what;
    std::vector<std::string> words;
    bool ok;
    RouteCommand expected;
  } cases[] = {
      {"change a default route",
       {"CHANGE", "0.0.0.0", "MASK", "0.0.0.0", "10.0.1.1", "METRIC", "2", "IF", "11"},
       true,
       {"change", "0.0.0.0", "0.0.0.0", "10.0.1.1", 2, 11}},
      {"with the word route, lower case",
       {"route", "change", "192.168.5.0", "mask", "255.255.255.0", "192.168.5.1", "metric", "1", "if", "13"},
       true,
       {"change", "192.168.5.0", "255.255.255.0", "192.168.5.1", 1, 13}},
      {"delete without gateway", {"delete", "10.1.0.0", "MASK", "255.255.0.0"}, true, {"delete", "10.1.0.0", "255.255.0.0", "", -1, -1}},
      {"no verb", {}, false, {}},
      {"unknown verb", {"print"}, false, {}},
      {"bad mask", {"add", "0.0.0.0", "MASK", "255.0.255.0", "10.0.0.1"}, false, {}},
      {"metric zero", {"add", "0.0.0.0", "MASK", "0.0.0.0", "10.0.0.1", "METRIC", "0"}, false, {}},
      {"metric not a number", {"add", "0.0.0.0", "MASK", "0.0.0.0", "10.0.0.1", "METRIC", "x1"}, false, {}},
      {"change without gateway", {"change", "0.0.0.0", "MASK", "0.0.0.0"}, false, {}},
      {"a stray word", {"add", "0.0.0.0", "10.0.0.1", "10.0.0.2"}, false, {}},
      {"a quad out of range", {"add", "0.0.0.256", "10.0.0.1"}, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RouteCommand command;
    std::string error;
    ASSERT_EQ(ParseRouteCommand(c.words, &command, &error), c.ok) << error;
    if (!c.ok) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    EXPECT_EQ(command.verb, c.expected.verb);
    EXPECT_EQ(command.destination, c.expected.destination);
    EXPECT_EQ(command.mask, c.expected.mask);
    EXPECT_EQ(command.gateway, c.expected.gateway);
    EXPECT_EQ(command.metric, c.expected.metric);
    EXPECT_EQ(command.interfaceIndex, c.expected.interfaceIndex);
  }
  EXPECT_EQ(MaskPrefixLength("255.255.255.0"), 24);
  EXPECT_EQ(MaskPrefixLength("0.0.0.0"), 0);
  EXPECT_EQ(MaskPrefixLength("255.255.255.255"), 32);
  EXPECT_EQ(MaskPrefixLength("255.0.255.0"), -1);
}

}  // namespace
