// The interface's index from "Z:\sys\class\net\<name>\ifindex" gives the GUID Wine names its
// adapter with ("{XXXXXXXX-0000-0000-0000-4E6574446576}"); the Net class device with that
// "NetCfgInstanceId" gives the description.
#include "platform/adapter_description.h"

#include <windows.h>
#include <setupapi.h>

#include <cwchar>
#include <string>

#include "platform/linux_interfaces.h"

namespace {

bool ReadProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property, wchar_t* text, DWORD bytes) {
  DWORD type = 0;
  return ::SetupDiGetDeviceRegistryPropertyW(set, device, property, &type, reinterpret_cast<BYTE*>(text), bytes,
                                             nullptr) &&
         type == REG_SZ && text[0];
}

}  // namespace

bool FillInAdapterDescription(const wchar_t* reported, wchar_t* description, size_t capacity) {
  if (!reported || !description || capacity == 0) return false;
  std::wstring guid = AdapterGuidOfInterface(reported);
  if (guid.empty()) return false;
  GUID netClass;
  DWORD classes = 0;
  if (!::SetupDiClassGuidsFromNameW(L"Net", &netClass, 1, &classes) || classes == 0) return false;
  HDEVINFO set = ::SetupDiGetClassDevsW(&netClass, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) return false;
  bool found = false;
  SP_DEVINFO_DATA device = {sizeof device};
  for (DWORD i = 0; !found && ::SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) continue;
    wchar_t instanceId[128] = {};
    DWORD size = sizeof instanceId - sizeof(wchar_t), type = 0;
    bool matches = ::RegQueryValueExW(key, L"NetCfgInstanceId", nullptr, &type, reinterpret_cast<BYTE*>(instanceId),
                                      &size) == ERROR_SUCCESS &&
                   type == REG_SZ && _wcsicmp(instanceId, guid.c_str()) == 0;
    ::RegCloseKey(key);
    if (!matches) continue;
    wchar_t text[512] = {};
    if (!ReadProperty(set, &device, SPDRP_FRIENDLYNAME, text, sizeof text - sizeof(wchar_t)) &&
        !ReadProperty(set, &device, SPDRP_DEVICEDESC, text, sizeof text - sizeof(wchar_t)))
      break;
    size_t length = std::wcslen(text);
    if (length >= capacity) length = capacity - 1;
    std::wmemcpy(description, text, length);
    description[length] = 0;
    found = true;
  }
  ::SetupDiDestroyDeviceInfoList(set);
  return found;
}
