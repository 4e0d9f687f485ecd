#include "adapters/driver_page_rows.h"

#include "shell/startup_settings.h"

namespace {
constexpr size_t kDevicePrefixUnits = 8;  // "\Device\"
}

DriverPageState DecideDriverPageState(const WanFlags& flags, const std::wstring& boundPhysicalGuid,
                                      int boundEntryCount) {
  if (flags.Any()) return DriverPageState::kWithoutVirtualAdapters;
  if (boundPhysicalGuid.empty() || boundEntryCount <= 0) return DriverPageState::kNotInstalled;
  return DriverPageState::kWithVirtualAdapters;
}

const char* ModeTextKey(const WanFlags& flags) {
  if (flags.physical) return "TXT_PHYSICAL_MODE";
  if (flags.wifi) return "TXT_WIFI_MODE";
  if (flags.directConnIp1) return "TXT_DIRECT_CONN_IP1";
  if (flags.directConnIp2) return "TXT_DIRECT_CONN_IP2";
  if (flags.routerDhcp) return "TXT_ROUTER_DHCP";
  return "";
}

std::vector<DriverPageRow> VirtualAdapterRows(const std::vector<std::wstring>& boundEntries,
                                              const std::vector<BoundAdapter>& adapters) {
  std::vector<DriverPageRow> rows;
  for (size_t i = 0; i < boundEntries.size(); ++i) {
    const std::wstring& entry = boundEntries[i];
    if (entry.size() < kDevicePrefixUnits) continue;
    const std::wstring guid = entry.substr(kDevicePrefixUnits);
    for (const BoundAdapter& adapter : adapters) {
      if (adapter.guid == guid) rows.push_back({std::to_wstring(i + 1), adapter.description});
    }
  }
  return rows;
}
