// Why: Wine's INetCfg takes the write lock and initialises, but knows no components and no binding
// paths (E_NOTIMPL). The installer must still install its protocol, read an adapter's bindings,
// change them and find them again; this store keeps exactly that, where Windows readers look.
#include "platform/net_cfg_store.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <objbase.h>
#include <setupapi.h>

#include <cstring>
#include <cwchar>

namespace {

const wchar_t kTransportClassKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E975-E325-11CE-BFC1-08002BE10318}";
const wchar_t kBindingStateKey[] = L"Software\\Wine\\NetCfg\\Bindings";
const wchar_t kBuiltInTransport[] = L"ms_tcpip";

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(::towlower(c));
  return text;
}

std::wstring ReadText(HKEY key, const wchar_t* name) {
  wchar_t value[512] = {};
  DWORD bytes = sizeof value - sizeof(wchar_t);
  DWORD type = 0;
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) != ERROR_SUCCESS ||
      type != REG_SZ)
    return {};
  return value;
}

// The subkey of the transport class that holds the component; empty when none does.
std::wstring FindComponentKey(const std::wstring& componentId) {
  HKEY classKey = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kTransportClassKey, 0, KEY_READ, &classKey) != ERROR_SUCCESS) return {};
  std::wstring found;
  wchar_t name[128];
  for (DWORD index = 0;; ++index) {
    DWORD units = 128;
    if (::RegEnumKeyExW(classKey, index, name, &units, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY sub = nullptr;
    if (::RegOpenKeyExW(classKey, name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
    const bool match = Lower(ReadText(sub, L"ComponentId")) == Lower(componentId);
    ::RegCloseKey(sub);
    if (match) {
      found = name;
      break;
    }
  }
  ::RegCloseKey(classKey);
  return found;
}

struct StoreAdapter {
  std::wstring guid;
  std::wstring pnpDevNodeId;
  std::wstring linuxName;
};

// The Net class devices with a configuration GUID, then the Linux interfaces that have none.
std::vector<StoreAdapter> Adapters() {
  std::vector<StoreAdapter> adapters;
  GUID netClass{};
  DWORD found = 0;
  if (::SetupDiClassGuidsFromNameW(L"Net", &netClass, 1, &found) && found) {
    HDEVINFO set = ::SetupDiGetClassDevsW(&netClass, nullptr, nullptr, DIGCF_PRESENT);
    if (set != INVALID_HANDLE_VALUE) {
      SP_DEVINFO_DATA data{};
      data.cbSize = sizeof data;
      for (DWORD i = 0; ::SetupDiEnumDeviceInfo(set, i, &data); ++i) {
        HKEY key = ::SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE) continue;
        const std::wstring guid = ReadText(key, L"NetCfgInstanceId");
        ::RegCloseKey(key);
        wchar_t instance[256] = {};
        if (guid.empty() || !::SetupDiGetDeviceInstanceIdW(set, &data, instance, 256, nullptr)) continue;
        adapters.push_back({guid, instance, {}});
      }
      ::SetupDiDestroyDeviceInfoList(set);
    }
  }
  ULONG size = 0x4000;
  std::vector<BYTE> buffer(size);
  ULONG result = ::GetAdaptersAddresses(AF_UNSPEC, 0, nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()),
                                        &size);
  if (result == ERROR_BUFFER_OVERFLOW) {
    buffer.resize(size);
    result = ::GetAdaptersAddresses(AF_UNSPEC, 0, nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()),
                                    &size);
  }
  if (result != ERROR_SUCCESS) return adapters;
  for (auto* a = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); a; a = a->Next) {
    if (a->IfType == IF_TYPE_SOFTWARE_LOOPBACK || !a->AdapterName) continue;
    std::wstring guid(a->AdapterName, a->AdapterName + std::strlen(a->AdapterName));
    const std::wstring name = a->FriendlyName ? a->FriendlyName : L"";
    bool known = false;
    for (auto& adapter : adapters) {
      if (Lower(adapter.guid) == Lower(guid)) {
        adapter.linuxName = name;
        known = true;
      }
    }
    if (!known) adapters.push_back({guid, L"LINUX\\NET\\" + name, name});
  }
  return adapters;
}

// Runs a shell line in this computer's Linux, waiting at most five seconds for it to end. Wine
// gives no handle for a Linux process: the line writes a file when it is done.
void RunLinuxShell(const std::wstring& line) {
  using UnixName = char*(CDECL*)(LPCWSTR);
  auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return;
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring done = std::wstring(temp) + L"netcfg-" + std::to_wstring(::GetCurrentProcessId()) + L".done";
  ::DeleteFileW(done.c_str());
  char* unixDone = unixName(done.c_str());
  if (!unixDone) return;
  std::wstring doneText(unixDone, unixDone + std::strlen(unixDone));
  ::HeapFree(::GetProcessHeap(), 0, unixDone);
  std::wstring command = L"Z:\\bin\\sh -c \"( " + line + L" ) >/dev/null 2>&1; : > '" + doneText + L"'\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return;
  if (process.hProcess) ::CloseHandle(process.hProcess);
  if (process.hThread) ::CloseHandle(process.hThread);
  for (int wait = 0; wait < 100 && ::GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++wait) ::Sleep(50);
  ::DeleteFileW(done.c_str());
}

bool IsSafeInterfaceName(const std::wstring& name) {
  if (name.empty() || name.size() > 15) return false;
  for (wchar_t c : name) {
    if (!(::iswalnum(c) || c == L'-' || c == L'_' || c == L'.')) return false;
  }
  return true;
}

// The install section of the component in the INF's models, decorated for this platform.
std::wstring InstallSectionOf(HINF inf, const std::wstring& componentId) {
  INFCONTEXT manufacturer;
  if (!::SetupFindFirstLineW(inf, L"Manufacturer", nullptr, &manufacturer)) return {};
  do {
    wchar_t models[128];
    if (!::SetupGetStringFieldW(&manufacturer, 1, models, 128, nullptr)) continue;
    std::vector<std::wstring> names{models};
    wchar_t decoration[64];
    for (DWORD field = 2; ::SetupGetStringFieldW(&manufacturer, field, decoration, 64, nullptr); ++field)
      names.push_back(std::wstring(models) + L"." + decoration);
    for (const auto& name : names) {
      INFCONTEXT line;
      if (!::SetupFindFirstLineW(inf, name.c_str(), nullptr, &line)) continue;
      do {
        wchar_t section[128], id[128];
        if (::SetupGetStringFieldW(&line, 1, section, 128, nullptr) &&
            ::SetupGetStringFieldW(&line, 2, id, 128, nullptr) && Lower(id) == Lower(componentId)) {
          wchar_t actual[256];
          if (::SetupDiGetActualSectionToInstallW(inf, section, actual, 256, nullptr, nullptr)) return actual;
          return section;
        }
      } while (::SetupFindNextLine(&line, &line));
    }
  } while (::SetupFindNextLine(&manufacturer, &manufacturer));
  return {};
}

// Creates the services of the section's ".Services" part; the names of those it names, joined by ";".
std::wstring InstallServices(const std::wstring& infPath, const std::wstring& componentId) {
  HINF inf = ::SetupOpenInfFileW(infPath.c_str(), nullptr, INF_STYLE_WIN4, nullptr);
  if (inf == INVALID_HANDLE_VALUE) return {};
  std::wstring names;
  const std::wstring section = InstallSectionOf(inf, componentId);
  if (!section.empty()) {
    const std::wstring services = section + L".Services";
    ::SetupInstallServicesFromInfSectionW(inf, services.c_str(), 0);
    INFCONTEXT line;
    if (::SetupFindFirstLineW(inf, services.c_str(), L"AddService", &line)) {
      do {
        wchar_t name[128];
        if (::SetupGetStringFieldW(&line, 1, name, 128, nullptr)) names += std::wstring(name) + L";";
      } while (::SetupFindNextMatchLineW(&line, L"AddService", &line));
    }
  }
  ::SetupCloseInfFile(inf);
  return names;
}

void DeleteServices(const std::wstring& names) {
  SC_HANDLE manager = ::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return;
  size_t start = 0;
  for (size_t end = names.find(L';'); end != std::wstring::npos; start = end + 1, end = names.find(L';', start)) {
    SC_HANDLE service = ::OpenServiceW(manager, names.substr(start, end - start).c_str(), DELETE);
    if (!service) continue;
    ::DeleteService(service);
    ::CloseServiceHandle(service);
  }
  ::CloseServiceHandle(manager);
}

}  // namespace

std::vector<std::wstring> NetCfgStoreComponents() {
  std::vector<std::wstring> components{kBuiltInTransport};
  HKEY classKey = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kTransportClassKey, 0, KEY_READ, &classKey) != ERROR_SUCCESS)
    return components;
  wchar_t name[128];
  for (DWORD index = 0;; ++index) {
    DWORD units = 128;
    if (::RegEnumKeyExW(classKey, index, name, &units, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY sub = nullptr;
    if (::RegOpenKeyExW(classKey, name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
    const std::wstring id = ReadText(sub, L"ComponentId");
    ::RegCloseKey(sub);
    if (!id.empty() && Lower(id) != kBuiltInTransport) components.push_back(id);
  }
  ::RegCloseKey(classKey);
  return components;
}

bool NetCfgStoreHasComponent(const std::wstring& componentId) {
  return Lower(componentId) == kBuiltInTransport || !FindComponentKey(componentId).empty();
}

HRESULT NetCfgStoreInstall(const std::wstring& componentId, const std::wstring& infPath, const std::wstring& infName) {
  std::wstring keyName = FindComponentKey(componentId);
  if (keyName.empty()) {
    GUID instance{};
    ::CoCreateGuid(&instance);
    wchar_t text[64];
    ::StringFromGUID2(instance, text, 64);
    keyName = text;
  }
  HKEY key = nullptr;
  const std::wstring path = std::wstring(kTransportClassKey) + L"\\" + keyName;
  LONG result = ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) return HRESULT_FROM_WIN32(result);
  auto set = [key](const wchar_t* name, const std::wstring& value) {
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  };
  result = set(L"ComponentId", componentId);
  if (result == ERROR_SUCCESS) result = set(L"InfPath", infName);
  if (result == ERROR_SUCCESS) result = set(L"Services", InstallServices(infPath, componentId));
  ::RegCloseKey(key);
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kBindingStateKey) + L"\\" + Lower(componentId)).c_str());
  return HRESULT_FROM_WIN32(result);
}

HRESULT NetCfgStoreRemove(const std::wstring& componentId) {
  const std::wstring keyName = FindComponentKey(componentId);
  if (keyName.empty()) return S_FALSE;
  HKEY key = nullptr;
  const std::wstring path = std::wstring(kTransportClassKey) + L"\\" + keyName;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
    DeleteServices(ReadText(key, L"Services"));
    ::RegCloseKey(key);
  }
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kBindingStateKey) + L"\\" + Lower(componentId)).c_str());
  const LONG result = ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kTransportClassKey) + L"\\" + keyName).c_str());
  return HRESULT_FROM_WIN32(result);
}

std::vector<NetCfgStorePath> NetCfgStorePaths(const std::wstring& componentId) {
  std::vector<NetCfgStorePath> paths;
  if (!NetCfgStoreHasComponent(componentId)) return paths;
  for (const auto& adapter : Adapters()) {
    paths.push_back({componentId, adapter.guid, adapter.pnpDevNodeId, componentId + L"->" + adapter.pnpDevNodeId});
  }
  return paths;
}

bool NetCfgStoreIsEnabled(const NetCfgStorePath& path) {
  HKEY key = nullptr;
  const std::wstring keyPath = std::wstring(kBindingStateKey) + L"\\" + Lower(path.componentId);
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return true;
  DWORD enabled = 1, bytes = sizeof enabled;
  ::RegQueryValueExW(key, Lower(path.token).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&enabled), &bytes);
  ::RegCloseKey(key);
  return enabled != 0;
}

HRESULT NetCfgStoreEnable(const NetCfgStorePath& path, bool enable) {
  HKEY key = nullptr;
  const std::wstring keyPath = std::wstring(kBindingStateKey) + L"\\" + Lower(path.componentId);
  LONG result =
      ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) return HRESULT_FROM_WIN32(result);
  const DWORD value = enable ? 1 : 0;
  result = ::RegSetValueExW(key, Lower(path.token).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof value);
  ::RegCloseKey(key);
  if (result != ERROR_SUCCESS) return HRESULT_FROM_WIN32(result);
  if (!enable && Lower(path.componentId) == kBuiltInTransport) {
    for (const auto& adapter : Adapters()) {
      if (Lower(adapter.guid) == Lower(path.bindName) && IsSafeInterfaceName(adapter.linuxName))
        RunLinuxShell(L"/usr/sbin/ip -4 addr flush dev " + adapter.linuxName);
    }
  }
  return S_OK;
}
