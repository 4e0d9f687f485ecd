#include "platform/linux_physical_adapters.h"

#include <windows.h>
#include <setupapi.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <set>

#include "platform/linux_interfaces.h"

namespace {

constexpr long kEthernetType = 1;  // ARPHRD_ETHER
constexpr unsigned long kInterfaceUp = 0x1;  // IFF_UP

// The "NetCfgInstanceId" of every Net class device: their interfaces are the devices' own.
std::set<std::wstring> DeviceGuids() {
  std::set<std::wstring> guids;
  GUID netClass;
  DWORD classes = 0;
  if (!::SetupDiClassGuidsFromNameW(L"Net", &netClass, 1, &classes) || classes == 0) return guids;
  HDEVINFO set = ::SetupDiGetClassDevsW(&netClass, nullptr, nullptr, 0);
  if (set == INVALID_HANDLE_VALUE) return guids;
  SP_DEVINFO_DATA device = {sizeof device};
  for (DWORD i = 0; ::SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) continue;
    wchar_t guid[64] = {};
    DWORD size = sizeof guid - sizeof(wchar_t), type = 0;
    if (::RegQueryValueExW(key, L"NetCfgInstanceId", nullptr, &type, reinterpret_cast<BYTE*>(guid), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
      for (wchar_t* c = guid; *c; ++c) *c = static_cast<wchar_t>(::towupper(*c));
      guids.insert(guid);
    }
    ::RegCloseKey(key);
  }
  ::SetupDiDestroyDeviceInfoList(set);
  return guids;
}

long NumberIn(const wchar_t* name, const wchar_t* leaf) {
  std::string text;
  if (!ReadInterfaceFile(name, leaf, text)) return -1;
  return std::strtol(text.c_str(), nullptr, 0);
}

}  // namespace

std::vector<LinuxPhysicalAdapter> ListLinuxPhysicalAdapters() {
  const std::set<std::wstring> deviceGuids = DeviceGuids();
  std::vector<std::pair<long, LinuxPhysicalAdapter>> found;
  for (const auto& name : ListInterfaceNames()) {
    if (NumberIn(name.c_str(), L"type") != kEthernetType) continue;
    const long flags = NumberIn(name.c_str(), L"flags");
    if (flags < 0 || !(static_cast<unsigned long>(flags) & kInterfaceUp)) continue;
    LinuxPhysicalAdapter adapter;
    adapter.name = name;
    adapter.guid = AdapterGuidOfInterface(name.c_str());
    if (adapter.guid.empty() || deviceGuids.count(adapter.guid)) continue;
    adapter.instanceId = L"LINUX\\NET\\" + name;
    adapter.wireless = InterfaceHas(name.c_str(), L"wireless") || InterfaceHas(name.c_str(), L"phy80211");
    found.emplace_back(NumberIn(name.c_str(), L"ifindex"), adapter);
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<LinuxPhysicalAdapter> adapters;
  for (auto& entry : found) adapters.push_back(std::move(entry.second));
  return adapters;
}
