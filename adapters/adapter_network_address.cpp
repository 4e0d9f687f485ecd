#include "adapters/adapter_network_address.h"

#include <windows.h>
#include <setupapi.h>

#include <cstdio>

namespace {
constexpr wchar_t kMiniportDescription[] = L"Moravix Virtual Miniport Driver";
constexpr DWORD kInstanceIdBytes = 512;
}  // namespace

bool SetAdapterNetworkAddress(const std::wstring& adapterGuid, int index, const uint8_t octets[4]) {
  HDEVINFO devices = ::SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES);
  if (devices == INVALID_HANDLE_VALUE) return false;
  wchar_t value[16];
  std::swprintf(value, 16, L"%02X%02X%02X%02X%02X%02X", 0x02, octets[0], octets[1], octets[2], octets[3],
                static_cast<uint8_t>(index));
  bool written = false;
  SP_DEVINFO_DATA device = {};
  device.cbSize = sizeof device;
  for (DWORD i = 0; ::SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
    wchar_t description[256] = {};
    if (!::SetupDiGetDeviceRegistryPropertyW(devices, &device, SPDRP_DEVICEDESC, nullptr,
                                             reinterpret_cast<BYTE*>(description), sizeof description - sizeof(wchar_t),
                                             nullptr))
      continue;
    if (std::wstring(description) != kMiniportDescription) continue;
    HKEY key = ::SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_ALL_ACCESS);
    if (key == INVALID_HANDLE_VALUE) continue;
    wchar_t instanceId[kInstanceIdBytes / sizeof(wchar_t) + 1] = {};
    DWORD size = kInstanceIdBytes;
    if (::RegQueryValueExW(key, L"NetCfgInstanceId", nullptr, nullptr, reinterpret_cast<BYTE*>(instanceId), &size) ==
            ERROR_SUCCESS &&
        adapterGuid == instanceId) {
      // Twelve characters, no terminator: as the installer writes it.
      written |= ::RegSetValueExW(key, L"NetworkAddress", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                  12 * sizeof(wchar_t)) == ERROR_SUCCESS;
    }
    ::RegCloseKey(key);
  }
  ::SetupDiDestroyDeviceInfoList(devices);
  return written;
}
