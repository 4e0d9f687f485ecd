// lanvex_link.exe: the link service, the Linux half of the virtual miniport. It follows the
// devices of hardware id QVXMINIP and keeps one Linux interface per device: a macvlan on the
// physical interface, index and name from the GUID that lanvex.sys gave the device, MAC from its
// "NetworkAddress"; the interface goes when the device is removed. It also writes the connection
// names (Control\Network\{Net class}\{GUID}\Connection) of every interface, physical ones too.
//
// Why a service of its own: the kernel driver cannot start Linux programs, and what Wine starts
// from an INF's AddService it never starts. This one is installed and started with the stand-in
// tools (install-into-prefix) and then starts with the prefix. The interface is made once the
// device has its "NetworkAddress" (Wine keeps the MAC it first sees for an interface index until
// its server restarts), or when netsh first switches the adapter, whichever comes first. A later
// "NetworkAddress" is taken when netsh enables the adapter again or the prefix starts again.
//   lanvex_link install | uninstall | once        (no argument: run as the service)
#include <windows.h>
#include <setupapi.h>

#include <cstdio>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "standins/driver/miniport_link.h"
#include "standins/driver/miniport_names.h"

namespace {

const wchar_t kServiceName[] = L"LanvexLink";
const wchar_t kDisplayName[] = L"Moravix Virtual Miniport Link";
const wchar_t kConnections[] = L"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";
// Where changes show that the service should look again at once.
const wchar_t* const kWatchedKeys[] = {
    L"SYSTEM\\CurrentControlSet\\Enum",
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}",
    L"SYSTEM\\CurrentControlSet\\Services",
};
const DWORD kLookAgainMs = 1000;  // interfaces of Linux's own come and go without a registry change

SERVICE_STATUS_HANDLE g_statusHandle;
HANDLE g_stopEvent;

// Gives the connection its name unless it has one (a name given since stays).
void EnsureConnectionName(const std::wstring& guid, const std::wstring& name, const std::wstring& pnpInstanceId) {
  HKEY key;
  if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kConnections + guid + L"\\Connection").c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  if (::RegQueryValueExW(key, L"Name", nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    ::RegSetValueExW(key, L"Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                     static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)));
  }
  if (!pnpInstanceId.empty() && ::RegQueryValueExW(key, L"PnpInstanceID", nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    ::RegSetValueExW(key, L"PnpInstanceID", 0, REG_SZ, reinterpret_cast<const BYTE*>(pnpInstanceId.c_str()),
                     static_cast<DWORD>((pnpInstanceId.size() + 1) * sizeof(wchar_t)));
  }
  ::RegCloseKey(key);
}

void DeleteConnection(const std::wstring& guid) {
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kConnections + guid).c_str());
}

// The instance number a friendly name stands for: 1 for the bare description, n for "#n", 0 for
// a name of some other description.
int InstanceNumber(const std::wstring& friendlyName, const std::wstring& description) {
  if (friendlyName == description) return 1;
  std::wstring prefix = description + L" #";
  if (friendlyName.compare(0, prefix.size(), prefix) != 0) return 0;
  int number = _wtoi(friendlyName.c_str() + prefix.size());
  return number >= 2 ? number : 0;
}

// Gives each miniport without a friendly name the next free one of its description, as Windows
// numbers adapters of one driver: the description alone, then "#2", "#3"...
void NumberDevices() {
  HDEVINFO set = ::SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES);
  if (set == INVALID_HANDLE_VALUE) return;
  std::vector<MiniportDevice> devices;
  if (!ListMiniportDevices(&devices)) {
    ::SetupDiDestroyDeviceInfoList(set);
    return;
  }
  std::set<std::wstring> unnamed;
  for (const auto& d : devices) {
    if (d.friendlyName.empty() && !d.deviceDesc.empty()) unnamed.insert(d.instanceId);
  }
  SP_DEVINFO_DATA device = {sizeof device};
  for (DWORD i = 0; !unnamed.empty() && ::SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    wchar_t id[256] = {};
    if (!::SetupDiGetDeviceInstanceIdW(set, &device, id, 256, nullptr) || !unnamed.count(id)) continue;
    MiniportDevice* self = nullptr;
    std::set<int> taken;
    for (auto& d : devices) {
      if (d.instanceId == id) self = &d;
    }
    for (const auto& d : devices) {
      if (&d != self) taken.insert(InstanceNumber(d.friendlyName, self->deviceDesc));
    }
    int number = 1;
    while (taken.count(number)) ++number;
    self->friendlyName = number == 1 ? self->deviceDesc : self->deviceDesc + L" #" + std::to_wstring(number);
    ::SetupDiSetDeviceRegistryPropertyW(set, &device, SPDRP_FRIENDLYNAME,
                                        reinterpret_cast<const BYTE*>(self->friendlyName.c_str()),
                                        static_cast<DWORD>((self->friendlyName.size() + 1) * sizeof(wchar_t)));
    unnamed.erase(id);
  }
  ::SetupDiDestroyDeviceInfoList(set);
}

// One look at the devices and the interfaces, bringing the interfaces in line. At the service's
// start (the computer's) every device has its interface, and one that is left takes the MAC its
// device now asks for: no installation is under way then, and Wine sees every MAC afresh.
void Reconcile(bool starting) {
  std::vector<MiniportDevice> devices;
  if (!ListMiniportDevices(&devices)) return;
  auto interfaces = ListLinuxInterfaces();
  NumberDevices();

  std::set<uint32_t> deviceIndexes;
  for (const auto& device : devices) {
    uint32_t index = 0;
    if (!IndexOfAdapterGuid(device.guid, &index)) continue;
    deviceIndexes.insert(index);
    EnsureConnectionName(device.guid, MiniportInterfaceName(index), device.instanceId);
    std::string mac;
    std::wstring error;
    bool present = !InterfaceNameOfIndex(interfaces, index).empty();
    if (!present && (starting || MacOfNetworkAddress(device.networkAddress, &mac)) &&
        !CreateMiniportInterface(device, &error))
      std::fwprintf(stderr, L"lanvex_link: %ls: %ls\n", device.instanceId.c_str(), error.c_str());
    if (present && starting && !ApplyMiniportMac(device, &error))
      std::fwprintf(stderr, L"lanvex_link: %ls: %ls\n", device.instanceId.c_str(), error.c_str());
  }
  for (const auto& i : interfaces) {
    uint32_t index = 0;
    if (!IndexOfMiniportInterfaceName(i.name, &index)) {
      EnsureConnectionName(AdapterGuidOfIndex(i.index), i.name, L"");
      continue;
    }
    if (i.index != index || deviceIndexes.count(index)) continue;
    // Its device was removed.
    std::wstring error;
    DeleteInterface(i.name, &error);
    DeleteConnection(AdapterGuidOfIndex(index));
  }
}

void ReportStatus(DWORD state) {
  SERVICE_STATUS status = {};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
  ::SetServiceStatus(g_statusHandle, &status);
}

DWORD WINAPI Control(DWORD control, DWORD, void*, void*) {
  if (control == SERVICE_CONTROL_STOP || control == SERVICE_CONTROL_SHUTDOWN) {
    ReportStatus(SERVICE_STOP_PENDING);
    ::SetEvent(g_stopEvent);
  }
  return NO_ERROR;
}

// Reconciles after every change of the watched keys, and every second in any case.
void Follow() {
  const size_t watched = sizeof kWatchedKeys / sizeof kWatchedKeys[0];
  HKEY keys[watched];
  HANDLE events[watched + 1];
  events[0] = g_stopEvent;
  for (size_t i = 0; i < watched; ++i) {
    events[i + 1] = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kWatchedKeys[i], 0, KEY_NOTIFY | KEY_READ, &keys[i]) != ERROR_SUCCESS)
      keys[i] = nullptr;
  }
  for (bool starting = true;; starting = false) {
    for (size_t i = 0; i < watched; ++i) {
      if (keys[i])
        ::RegNotifyChangeKeyValue(keys[i], TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, events[i + 1],
                                  TRUE);
    }
    Reconcile(starting);
    DWORD woken = ::WaitForMultipleObjects(static_cast<DWORD>(watched + 1), events, FALSE, kLookAgainMs);
    if (woken == WAIT_OBJECT_0) break;
  }
  for (size_t i = 0; i < watched; ++i) {
    if (keys[i]) ::RegCloseKey(keys[i]);
    ::CloseHandle(events[i + 1]);
  }
}

void WINAPI ServiceMain(DWORD, wchar_t**) {
  g_statusHandle = ::RegisterServiceCtrlHandlerExW(kServiceName, Control, nullptr);
  if (!g_statusHandle) return;
  g_stopEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ReportStatus(SERVICE_RUNNING);
  Follow();
  ReportStatus(SERVICE_STOPPED);
}

int Fail(const wchar_t* what) {
  DWORD error = ::GetLastError();
  std::wprintf(L"lanvex_link: %ls failed, error %lu\n", what, error);
  return static_cast<int>(error ? error : 1);
}

int Install() {
  wchar_t path[MAX_PATH];
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring binary = L"\"" + std::wstring(path) + L"\"";
  SC_HANDLE manager = ::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return Fail(L"OpenSCManager");
  SC_HANDLE service = ::CreateServiceW(manager, kServiceName, kDisplayName, SERVICE_ALL_ACCESS,
                                       SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START, SERVICE_ERROR_NORMAL,
                                       binary.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
  if (!service && ::GetLastError() == ERROR_SERVICE_EXISTS) {
    service = ::OpenServiceW(manager, kServiceName, SERVICE_ALL_ACCESS);
    if (service)
      ::ChangeServiceConfigW(service, SERVICE_NO_CHANGE, SERVICE_AUTO_START, SERVICE_NO_CHANGE, binary.c_str(),
                             nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  }
  if (!service) {
    int code = Fail(L"CreateService");
    ::CloseServiceHandle(manager);
    return code;
  }
  int code = 0;
  if (!::StartServiceW(service, 0, nullptr) && ::GetLastError() != ERROR_SERVICE_ALREADY_RUNNING)
    code = Fail(L"StartService");
  ::CloseServiceHandle(service);
  ::CloseServiceHandle(manager);
  return code;
}

int Uninstall() {
  SC_HANDLE manager = ::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return Fail(L"OpenSCManager");
  SC_HANDLE service = ::OpenServiceW(manager, kServiceName, SERVICE_ALL_ACCESS);
  int code = 0;
  if (service) {
    SERVICE_STATUS status;
    ::ControlService(service, SERVICE_CONTROL_STOP, &status);
    if (!::DeleteService(service)) code = Fail(L"DeleteService");
    ::CloseServiceHandle(service);
  }
  ::CloseServiceHandle(manager);
  return code;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && _wcsicmp(argv[1], L"install") == 0) return Install();
  if (argc > 1 && _wcsicmp(argv[1], L"uninstall") == 0) return Uninstall();
  if (argc > 1 && _wcsicmp(argv[1], L"once") == 0) {
    Reconcile(false);
    return 0;
  }
  SERVICE_TABLE_ENTRYW table[] = {{const_cast<wchar_t*>(kServiceName), ServiceMain}, {nullptr, nullptr}};
  return ::StartServiceCtrlDispatcherW(table) ? 0 : Fail(L"StartServiceCtrlDispatcher");
}
