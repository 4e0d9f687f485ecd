// A benchmark, not a test: the CPU time of one refresh tick's monitoring work with 21 adapters and
// 4,096 flows in each of the driver's four flow replies (a stand-in device that answers replies of
// that size), and of building the Connections dialog's rows for 4,096 applications.
//   scripts/wine-run --root build/wine build/tests/monitor/monitor_benchmark.exe [TICKS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "monitor/driver_channel.h"
#include "monitor/driver_layout.h"
#include "monitor/driver_reply_writer.h"

namespace {

constexpr size_t kFlows = 4096;
constexpr size_t kAdapters = 21;
std::vector<uint8_t> g_traffic, g_ipv4, g_ipv6;

HANDLE FakeOpen(const wchar_t*) { return reinterpret_cast<HANDLE>(1); }
void FakeClose(HANDLE) {}
bool FakeControl(HANDLE, DWORD code, void* buffer, DWORD size, DWORD* returned) {
  std::vector<uint8_t> reply;
  if (code == driver_layout::kGetTrafficSize) reply = WriteTrafficSizeReply(static_cast<uint32_t>(g_traffic.size()));
  if (code == driver_layout::kGetFlowSizes) {
    reply = WriteFlowSizesReply(static_cast<uint32_t>(g_ipv4.size()), static_cast<uint32_t>(g_ipv6.size()));
  }
  const std::vector<uint8_t>* data = code == driver_layout::kGetTraffic ? &g_traffic
                                     : (code == driver_layout::kGetTcp4Flows || code == driver_layout::kGetUdp4Flows) ? &g_ipv4
                                     : (code == driver_layout::kGetTcp6Flows || code == driver_layout::kGetUdp6Flows) ? &g_ipv6
                                                                                                                        : &reply;
  *returned = static_cast<DWORD>(data->size() < size ? data->size() : size);
  memcpy(buffer, data->data(), *returned);
  return true;
}
const DeviceCalls kFake = {FakeOpen, FakeControl, FakeClose};

double CpuMs() {
  FILETIME created, exited, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e4; };
  return ms(kernel) + ms(user);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int ticks = argc > 1 ? _wtoi(argv[1]) : 50;
  std::vector<TrafficCounterRecord> records(kAdapters);
  TrafficTarget target;
  for (size_t i = 0; i < kAdapters; ++i) {
    records[i] = {{2, 0x1A, 0, 0, 0, static_cast<uint8_t>(i)}, {0, 1000 * i, 0, 0, 0, 2000 * i, 0, 0}};
    target.rowMacs.push_back({2, 0x1A, 0, 0, 0, static_cast<uint8_t>(i)});
  }
  std::vector<Ipv4Flow> four(kFlows);
  std::vector<Ipv6Flow> six(kFlows);
  for (size_t i = 0; i < kFlows; ++i) {
    four[i] = {0x0A000000u + static_cast<uint32_t>(i), 0xC0A80001u, 443, static_cast<uint16_t>(10000 + i), 1500, 60000, 0};
    six[i] = {};
    six[i].localPort = static_cast<uint16_t>(10000 + i);
    six[i].sent = 100;
  }
  g_traffic = WriteTrafficReply(records, kAdapters * driver_layout::kTrafficRecordWithCounters + 4);
  g_ipv4 = WriteIpv4FlowReply(four, 1 << 20);
  g_ipv6 = WriteIpv6FlowReply(six, 1 << 20);

  DriverChannel channel(kFake);
  channel.Open(true, nullptr, false);
  ConnTable table;
  const uint8_t local[4] = {192, 168, 0, 1};
  double start = CpuMs();
  for (int t = 0; t < ticks; ++t) {
    channel.BeginTick();
    table.Clear();
    // The system's tables: one connection per flow, 64 per process.
    for (size_t i = 0; i < kFlows; ++i) {
      uint8_t remote[4] = {10, 0, static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)};
      table.AddIpv4Connection(local, static_cast<uint16_t>(10000 + i), remote, 443, static_cast<uint32_t>(4 * (i / 64 + 1)), true);
    }
    target.tick = {};
    channel.PollTraffic(&target);
    channel.PollTcp4(&table);
    channel.PollUdp4(&table);
    channel.PollTcp6(&table);
    channel.PollUdp6(&table);
  }
  double tick = (CpuMs() - start) / ticks;

  ConnTable apps;
  for (size_t i = 0; i < kFlows; ++i) {
    uint8_t remote[4] = {10, 0, static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)};
    apps.AddIpv4Connection(local, static_cast<uint16_t>(10000 + i), remote, 443, static_cast<uint32_t>(4 * (i + 1)), true);
  }
  start = CpuMs();
  size_t rows = 0;
  for (int t = 0; t < ticks; ++t) {
    rows = BuildAppRows(apps, 1, [](uint32_t) { return std::string("app.exe"); }).size();
  }
  double appRows = (CpuMs() - start) / ticks;
  std::printf("refresh tick, 21 adapters and 4096 flows per flow reply: %.2f ms CPU\n", tick);
  std::printf("application rows for %zu processes: %.2f ms CPU\n", rows, appRows);
  return 0;
}
