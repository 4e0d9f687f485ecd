// Drives the stand-in miniport as the installer does, for the driver pair's system test:
//   miniport_probe create INF          a root device of hardware id QVXMINIP, driver from INF;
//                                      prints "guid {...}" (its NetCfgInstanceId) and "instance ..."
//   miniport_probe address GUID HEX    writes "NetworkAddress" (12 hex digits) into its driver key
//   miniport_probe remove GUID         DIF_REMOVE of that device
//   miniport_probe adapters            GetAdaptersInfo: "name|description|MAC" per adapter, the
//                                      description through FillInAdapterDescription where it applies
//   miniport_probe control             opens \\.\LANVEXN6 and \\.\LANVEXN5; prints the IOCTL error
#include <windows.h>
#include <winioctl.h>
#include <iphlpapi.h>
#include <setupapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/adapter_description.h"

namespace {

using UpdateDriver = BOOL(WINAPI*)(HWND, LPCWSTR, LPCWSTR, DWORD, PBOOL);
const DWORD kInstallForce = 1;  // INSTALLFLAG_FORCE

int Fail(const char* what) {
  std::printf("FAILED %s: %lu\n", what, ::GetLastError());
  return 1;
}

int Create(const wchar_t* inf) {
  wchar_t path[MAX_PATH];
  if (!::GetFullPathNameW(inf, MAX_PATH, path, nullptr)) return Fail("GetFullPathName");
  GUID classGuid;
  wchar_t className[32];
  if (!::SetupDiGetINFClassW(path, &classGuid, className, 32, nullptr)) return Fail("SetupDiGetINFClass");
  HDEVINFO set = ::SetupDiCreateDeviceInfoList(&classGuid, nullptr);
  SP_DEVINFO_DATA device = {sizeof device};
  if (!::SetupDiCreateDeviceInfoW(set, className, &classGuid, nullptr, nullptr, DICD_GENERATE_ID, &device))
    return Fail("SetupDiCreateDeviceInfo");
  static const wchar_t hardwareId[] = L"QVXMINIP\0";
  if (!::SetupDiSetDeviceRegistryPropertyW(set, &device, SPDRP_HARDWAREID, reinterpret_cast<const BYTE*>(hardwareId),
                                           sizeof hardwareId))
    return Fail("SPDRP_HARDWAREID");
  if (!::SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set, &device)) return Fail("DIF_REGISTERDEVICE");
  HMODULE newdev = ::LoadLibraryW(L"newdev.dll");
  auto update = reinterpret_cast<UpdateDriver>(
      reinterpret_cast<void*>(::GetProcAddress(newdev, "UpdateDriverForPlugAndPlayDevicesW")));
  BOOL reboot = FALSE;
  if (!update || !update(nullptr, L"QVXMINIP", path, kInstallForce, &reboot)) return Fail("UpdateDriverForPlugAndPlayDevices");
  HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
  if (key == INVALID_HANDLE_VALUE) return Fail("DIREG_DRV");
  wchar_t guid[64] = {};
  DWORD size = sizeof guid - sizeof(wchar_t);
  if (::RegQueryValueExW(key, L"NetCfgInstanceId", nullptr, nullptr, reinterpret_cast<BYTE*>(guid), &size) != ERROR_SUCCESS)
    return Fail("NetCfgInstanceId");
  ::RegCloseKey(key);
  wchar_t instance[256] = {};
  ::SetupDiGetDeviceInstanceIdW(set, &device, instance, 256, nullptr);
  std::printf("guid %ls\ninstance %ls\n", guid, instance);
  ::SetupDiDestroyDeviceInfoList(set);
  ::FreeLibrary(newdev);
  return 0;
}

// Calls `act` with the Net-class device whose NetCfgInstanceId is `guid`; false when none has it.
template <typename Act>
bool WithDevice(const wchar_t* guid, Act act) {
  GUID netClass;
  DWORD count = 0;
  if (!::SetupDiClassGuidsFromNameW(L"Net", &netClass, 1, &count)) return false;
  HDEVINFO set = ::SetupDiGetClassDevsW(&netClass, nullptr, nullptr, DIGCF_PRESENT);
  bool found = false;
  SP_DEVINFO_DATA device = {sizeof device};
  for (DWORD i = 0; !found && ::SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_ALL_ACCESS);
    if (key == INVALID_HANDLE_VALUE) continue;
    wchar_t value[64] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    if (::RegQueryValueExW(key, L"NetCfgInstanceId", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) ==
            ERROR_SUCCESS &&
        std::wcscmp(value, guid) == 0) {
      found = act(set, &device, key);
    }
    ::RegCloseKey(key);
  }
  ::SetupDiDestroyDeviceInfoList(set);
  return found;
}

int Address(const wchar_t* guid, const wchar_t* hex) {
  bool done = WithDevice(guid, [hex](HDEVINFO, SP_DEVINFO_DATA*, HKEY key) {
    return ::RegSetValueExW(key, L"NetworkAddress", 0, REG_SZ, reinterpret_cast<const BYTE*>(hex),
                            static_cast<DWORD>(std::wcslen(hex) * sizeof(wchar_t))) == ERROR_SUCCESS;
  });
  return done ? 0 : Fail("no such device");
}

int Remove(const wchar_t* guid) {
  bool done = WithDevice(guid, [](HDEVINFO set, SP_DEVINFO_DATA* device, HKEY) {
    SP_REMOVEDEVICE_PARAMS params = {};
    params.ClassInstallHeader.cbSize = sizeof params.ClassInstallHeader;
    params.ClassInstallHeader.InstallFunction = DIF_REMOVE;
    params.Scope = DI_REMOVEDEVICE_GLOBAL;
    // Wine answers FALSE (with error 0) here and still passes the parameters on.
    ::SetupDiSetClassInstallParamsW(set, device, &params.ClassInstallHeader, sizeof params);
    return ::SetupDiCallClassInstaller(DIF_REMOVE, set, device) != FALSE;
  });
  return done ? 0 : Fail("DIF_REMOVE");
}

int Adapters() {
  ULONG size = 0;
  if (::GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) return Fail("GetAdaptersInfo size");
  std::vector<char> buffer(size);
  auto* list = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  if (::GetAdaptersInfo(list, &size) != NO_ERROR) return Fail("GetAdaptersInfo");
  for (auto* a = list; a; a = a->Next) {
    wchar_t reported[132] = {}, description[132] = {};
    ::MultiByteToWideChar(CP_ACP, 0, a->Description, -1, reported, 131);
    if (!FillInAdapterDescription(reported, description, 132)) std::wcscpy(description, reported);
    std::printf("%s|%ls|%02X-%02X-%02X-%02X-%02X-%02X|%s\n", a->AdapterName, description, a->Address[0], a->Address[1],
                a->Address[2], a->Address[3], a->Address[4], a->Address[5], a->IpAddressList.IpAddress.String);
  }
  return 0;
}

int Control() {
  for (const wchar_t* name : {L"\\\\.\\LANVEXN6", L"\\\\.\\LANVEXN5"}) {
    HANDLE device = ::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE) return Fail("open the control device");
    DWORD got = 0;
    char reply[16];
    BOOL ok = ::DeviceIoControl(device, CTL_CODE(FILE_DEVICE_UNKNOWN, 0x800, METHOD_BUFFERED, FILE_ANY_ACCESS),
                                nullptr, 0, reply, sizeof reply, &got, nullptr);
    std::printf("%ls ioctl %d error %lu\n", name, ok, ok ? 0 : ::GetLastError());
    ::CloseHandle(device);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"create" && argc == 3) return Create(argv[2]);
  if (command == L"address" && argc == 4) return Address(argv[2], argv[3]);
  if (command == L"remove" && argc == 3) return Remove(argv[2]);
  if (command == L"adapters") return Adapters();
  if (command == L"control") return Control();
  std::printf("usage: miniport_probe create INF | address GUID HEX | remove GUID | adapters | control\n");
  return 2;
}
