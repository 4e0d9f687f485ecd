// The interface's index from "Z:\sys\class\net\<name>\ifindex" gives the GUID Wine names its
// adapter with ("{XXXXXXXX-0000-0000-0000-4E6574446576}"); the Net class device with that
// "NetCfgInstanceId" gives the description.
#include "platform/adapter_description.h"

#include <windows.h>
#include <setupapi.h>

#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

bool IsPlainName(const wchar_t* name) {
  size_t length = std::wcslen(name);
  if (length == 0 || length > 15 || std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0) return false;
  return std::wcspbrk(name, L"\\/:*?\"<>| ") == nullptr;
}

// The adapter GUID of a Linux interface; "" when there is no such interface.
std::wstring AdapterGuidOfInterface(const wchar_t* name) {
  if (!IsPlainName(name)) return {};
  std::wstring path = std::wstring(L"Z:\\sys\\class\\net\\") + name + L"\\ifindex";
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  char text[16] = {};
  DWORD got = 0;
  BOOL read = ::ReadFile(file, text, sizeof text - 1, &got, nullptr);
  ::CloseHandle(file);
  long index = read ? std::strtol(text, nullptr, 10) : 0;
  if (index <= 0) return {};
  wchar_t guid[40];
  std::swprintf(guid, 40, L"{%08lX-0000-0000-0000-4E6574446576}", static_cast<unsigned long>(index));
  return guid;
}

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
