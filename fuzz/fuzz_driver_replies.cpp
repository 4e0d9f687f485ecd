// Any bytes as a reply of the control device, with any returned length up to their size: the
// size replies, the traffic records through the counters into the Status rows, and both flow
// walks into the connection table, as the refresh tick reads them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "monitor/conn_table.h"
#include "monitor/driver_replies.h"
#include "monitor/traffic_counters.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> reply(data, data + size);  // exact size: reads past it are caught
  uint32_t a = 0, b = 0;
  ReadFlowSizesReply(reply.data(), reply.size(), &a, &b);
  ReadTrafficSizeReply(reply.data(), reply.size(), &a);

  static const std::vector<std::array<uint8_t, 6>> rows = {{2, 0, 0, 0, 0, 1}, {0, 0, 0, 0, 0, 0}};
  static TrafficCounters counters;
  counters.BeginTick();
  TrafficTick tick;
  ApplyTrafficReply(reply.data(), reply.size(), rows, &counters, &tick);

  static ConnTable table;
  table.Clear();
  const uint8_t local[4] = {192, 168, 3, 1}, any[4] = {};
  table.AddIpv4Connection(local, 3389, any, 0, 7, true);
  table.AddIpv4Connection(any, 53, any, 0, 8, false);
  WalkIpv4Flows(reply.data(), reply.size(), [](const Ipv4Flow& f) {
    table.AddIpv4FlowBytes(f.local, f.remote, f.localPort, f.remotePort, f.sent, f.received, (f.flags & 1) != 0);
  });
  WalkIpv6Flows(reply.data(), reply.size(), [](const Ipv6Flow& f) {
    table.AddIpv6FlowBytes(f.local, f.remote, f.localPort, f.remotePort, f.sent, f.received, f.sent & 1);
  });
  BuildAppRows(table, 2, [](uint32_t) { return std::string("x"); });
  BuildConnectionRows(table, kNotInListPid, 0, {}, {});
  return 0;
}
