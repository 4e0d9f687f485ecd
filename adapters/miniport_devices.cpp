#include "adapters/miniport_devices.h"

#include <windows.h>
#include <newdev.h>
#include <setupapi.h>

#include <vector>

#include "adapters/install_plan.h"
#include "adapters/miniport_values.h"
#include "adapters/net_class_walk.h"
#include "adapters/nic_installer.h"

namespace {

using UpdateDriverFunction = BOOL(WINAPI*)(HWND, LPCWSTR, LPCWSTR, DWORD, PBOOL);

bool DeviceDescription(HDEVINFO set, SP_DEVINFO_DATA* data, std::wstring& description) {
  std::vector<BYTE> buffer(512);
  DWORD needed = 0;
  while (!::SetupDiGetDeviceRegistryPropertyW(set, data, SPDRP_DEVICEDESC, nullptr, buffer.data(),
                                              static_cast<DWORD>(buffer.size()), &needed)) {
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) return false;
    buffer.resize(needed);
  }
  buffer.resize(buffer.size() + 2, 0);
  description = reinterpret_cast<const wchar_t*>(buffer.data());
  return true;
}

bool SetText(HKEY key, const wchar_t* name, const std::wstring& text, bool withTerminator) {
  const DWORD bytes = static_cast<DWORD>((text.size() + (withTerminator ? 1 : 0)) * sizeof(wchar_t));
  return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

}  // namespace

std::wstring DriverInfPath(bool xp, const std::wstring& physicalDescription, const wchar_t* infName) {
  const std::wstring relative = DriverFolder(xp, physicalDescription) + infName;
  wchar_t full[MAX_PATH];
  const DWORD length = ::GetFullPathNameW(relative.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return {};
  return full;
}

bool CNicInstaller::InstallMiniport(const std::wstring& physicalDescription) {
  const std::wstring inf = DriverInfPath(xp_, physicalDescription, L"qvx_mp.inf");
  if (inf.empty()) return false;
  GUID classGuid{};
  wchar_t className[32] = {};
  if (!::SetupDiGetINFClassW(inf.c_str(), &classGuid, className, 32, nullptr)) return false;
  HDEVINFO set = ::SetupDiCreateDeviceInfoList(&classGuid, nullptr);
  if (set == INVALID_HANDLE_VALUE) return false;
  HMODULE newdev = nullptr;
  bool installed = false;
  SP_DEVINFO_DATA data{};
  data.cbSize = sizeof data;
  // The id, its NUL and the NUL that ends the list.
  const wchar_t hardwareIds[] = L"QVXMINIP\0";
  if (::SetupDiCreateDeviceInfoW(set, className, &classGuid, nullptr, nullptr, DICD_GENERATE_ID, &data) &&
      ::SetupDiSetDeviceRegistryPropertyW(set, &data, SPDRP_HARDWAREID, reinterpret_cast<const BYTE*>(hardwareIds),
                                          sizeof hardwareIds) &&
      ::SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set, &data)) {
    newdev = ::LoadLibraryW(L"newdev.dll");
    auto update = newdev ? reinterpret_cast<UpdateDriverFunction>(
                               reinterpret_cast<void*>(::GetProcAddress(newdev, "UpdateDriverForPlugAndPlayDevicesW")))
                         : nullptr;
    BOOL reboot = FALSE;
    installed = update && update(nullptr, kMiniportHardwareId, inf.c_str(), INSTALLFLAG_FORCE, &reboot);
  }
  ::SetupDiDestroyDeviceInfoList(set);
  if (newdev) ::FreeLibrary(newdev);
  return installed;
}

bool RemoveMiniports() {
  bool allRemoved = true;
  WalkNetClass(KEY_READ, [&](NetDevice& device) {
    if (!IsVirtualMiniportKey(device.driverKey)) return true;
    SP_REMOVEDEVICE_PARAMS params{};
    params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
    params.ClassInstallHeader.InstallFunction = DIF_REMOVE;
    params.Scope = DI_REMOVEDEVICE_GLOBAL;
    params.HwProfile = 0;
    // Wine answers FALSE with no error code here and still keeps the parameters: only a failure
    // that carries a code means they were not set.
    ::SetLastError(ERROR_SUCCESS);
    const bool paramsSet =
        ::SetupDiSetClassInstallParamsW(device.set, device.data, &params.ClassInstallHeader, sizeof params) ||
        ::GetLastError() == ERROR_SUCCESS;
    if (!paramsSet || !::SetupDiCallClassInstaller(DIF_REMOVE, device.set, device.data)) {
      allRemoved = false;
    }
    return true;
  });
  return allRemoved;
}

bool SetVirtualAdapterAddress(CNicInstaller*, const std::wstring& adapterGuid, const uint8_t virtualMac[6], int nic,
                              int linkType) {
  HDEVINFO set = ::SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES);
  if (set == INVALID_HANDLE_VALUE) return false;
  bool matched = false;
  SP_DEVINFO_DATA data{};
  data.cbSize = sizeof data;
  for (DWORD index = 0; ::SetupDiEnumDeviceInfo(set, index, &data); ++index) {
    std::wstring description;
    if (!DeviceDescription(set, &data, description) || description != kMiniportDescription) continue;
    HKEY key = ::SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_ALL_ACCESS);
    if (key == INVALID_HANDLE_VALUE) continue;
    if (NetCfgInstanceId(key) == adapterGuid) {
      if (nic >= 1) SetText(key, L"NetworkAddress", NetworkAddressText(virtualMac, nic), false);
      if (nic == 2 && linkType == kLinkPppoe) SetText(key, L"IsPPPoE", L"1", true);
      matched = true;
    }
    ::RegCloseKey(key);
  }
  ::SetupDiDestroyDeviceInfoList(set);
  return matched;
}
