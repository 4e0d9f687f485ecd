#include "platform/route_table.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <string>

namespace {
std::string ReadKernelRouteText() {
  HANDLE file = ::CreateFileW(L"Z:\\proc\\net\\route", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char chunk[4096];
  DWORD got = 0;
  while (::ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got) text.append(chunk, got);
  ::CloseHandle(file);
  return text;
}
}  // namespace

bool ReadIpv4RouteTable(std::vector<Ipv4Route>* routes) {
  ULONG size = 0;
  ::GetIpForwardTable(nullptr, &size, FALSE);
  std::vector<unsigned char> buffer(size ? size : sizeof(MIB_IPFORWARDTABLE));
  auto* table = reinterpret_cast<MIB_IPFORWARDTABLE*>(buffer.data());
  if (::GetIpForwardTable(table, &size, FALSE) != NO_ERROR) return false;
  routes->clear();
  for (DWORD i = 0; i < table->dwNumEntries; ++i) {
    const MIB_IPFORWARDROW& row = table->table[i];
    Ipv4Route route;
    route.destination = row.dwForwardDest;
    route.mask = row.dwForwardMask;
    route.nextHop = row.dwForwardNextHop;
    route.type = row.dwForwardType;
    route.protocol = row.dwForwardProto;
    route.metric = row.dwForwardMetric1;
    route.interfaceIndex = row.dwForwardIfIndex;
    routes->push_back(route);
  }
  std::string kernel = ReadKernelRouteText();
  if (!kernel.empty()) MendRouteMetrics(*routes, ParseProcNetRoute(kernel));
  return true;
}
