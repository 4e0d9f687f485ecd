#include "adapters/net_class_walk.h"

#include <vector>

#include "adapters/binding_rules.h"
#include "adapters/miniport_values.h"

void WalkSetupClass(const wchar_t* setupClass, REGSAM access, const std::function<bool(NetDevice&)>& visit) {
  GUID classGuid{};
  DWORD found = 0;
  if (!::SetupDiClassGuidsFromNameW(setupClass, &classGuid, 1, &found) || found == 0) return;
  HDEVINFO set = ::SetupDiGetClassDevsW(&classGuid, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) return;
  SP_DEVINFO_DATA data{};
  data.cbSize = sizeof data;
  for (DWORD index = 0; ::SetupDiEnumDeviceInfo(set, index, &data); ++index) {
    HKEY key = ::SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, access);
    if (key == INVALID_HANDLE_VALUE) continue;
    NetDevice device{set, &data, key};
    const bool goOn = visit(device);
    ::RegCloseKey(key);
    if (!goOn) break;
  }
  ::SetupDiDestroyDeviceInfoList(set);
}

bool ReadRegText(HKEY key, const wchar_t* name, DWORD maxBytes, std::wstring& value) {
  std::vector<wchar_t> buffer(maxBytes / sizeof(wchar_t) + 1, L'\0');
  DWORD bytes = maxBytes;
  DWORD type = 0;
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) != ERROR_SUCCESS)
    return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  buffer[bytes / sizeof(wchar_t)] = 0;
  value = buffer.data();
  return true;
}

bool ReadRegDword(HKEY key, const wchar_t* name, DWORD& value) {
  DWORD bytes = sizeof value;
  DWORD type = 0;
  return ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) == ERROR_SUCCESS &&
         type == REG_DWORD;
}

bool IsVirtualMiniportKey(HKEY driverKey) {
  std::wstring component;
  return ReadRegText(driverKey, L"ComponentId", 512, component) && LowerAscii(component) == kMiniportComponentId;
}

std::wstring NetCfgInstanceId(HKEY driverKey) {
  std::wstring guid;
  ReadRegText(driverKey, L"NetCfgInstanceId", 128, guid);
  return guid;
}

std::wstring DeviceInstanceId(const NetDevice& device) {
  wchar_t id[256] = {};
  if (!::SetupDiGetDeviceInstanceIdW(device.set, device.data, id, 256, nullptr)) return {};
  return id;
}
