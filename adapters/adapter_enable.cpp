#include "adapters/adapter_enable.h"

#include <windows.h>
#include <setupapi.h>

#include "adapters/binding_rules.h"
#include "adapters/command_lines.h"
#include "adapters/command_runner.h"
#include "adapters/connection_name.h"
#include "adapters/net_class_walk.h"
#include "adapters/nic_installer.h"
#include "adapters/protocol_bindings.h"
#include "shell/lang_text.h"
#include "shell/lang_text_format.h"

namespace {

constexpr DWORD kMiniportCharacteristics = 0x81;          // NCF_VIRTUAL | NCF_HAS_UI
constexpr DWORD kUnremovableCharacteristics = 0xA1;       // and NCF_NOT_USER_REMOVABLE

bool SetCharacteristics(HKEY key, DWORD value) {
  return ::RegSetValueExW(key, L"Characteristics", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}

void RunInterfaceState(const std::wstring& adapterGuid, bool on) {
  wchar_t name[kConnectionNameUnits] = {};
  if (!GetConnectionName(name, adapterGuid.c_str())) return;
  const std::wstring command = InterfaceStateCommand(name, on);
  RunCommandAndWait(command.c_str());
}

}  // namespace

void CNicInstaller::EnableVirtualAdapters(bool on) {
  int handled = 0;
  WalkNetClass(KEY_QUERY_VALUE | KEY_SET_VALUE, [&](NetDevice& device) {
    if (!IsVirtualMiniportKey(device.driverKey)) return true;
    if (!SetCharacteristics(device.driverKey, kMiniportCharacteristics)) return true;
    const std::wstring guid = NetCfgInstanceId(device.driverKey);
    if (guid.empty()) return true;
    ReportProgress(FormatLangText(LoadLangText(9, on ? "TXT_ENABLE_VIR_ADAPT" : "TXT_DISABLE_VIR_ADAPT"), ++handled));
    RunInterfaceState(guid, on);
    return true;
  });
}

void EnableAdapterByGuid(CNicInstaller*, bool on, const std::wstring& adapterGuid) {
  WalkNetClass(KEY_READ, [&](NetDevice& device) {
    if (NetCfgInstanceId(device.driverKey) == adapterGuid) RunInterfaceState(adapterGuid, on);
    return true;
  });
}

bool SetNetDeviceEnabled(const std::wstring& adapterGuid, bool on) {
  bool result = true;
  WalkNetClass(KEY_ALL_ACCESS, [&](NetDevice& device) {
    if (NetCfgInstanceId(device.driverKey) != adapterGuid) return true;
    // A property change through the class installer only: the direct state calls would end the
    // process under Wine, where this reports failure and the interface state comes from netsh.
    SP_PROPCHANGE_PARAMS params{};
    params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
    params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
    params.StateChange = on ? DICS_ENABLE : DICS_DISABLE;
    params.Scope = DICS_FLAG_CONFIGSPECIFIC;
    params.HwProfile = 0;
    result = ::SetupDiSetClassInstallParamsW(device.set, device.data, &params.ClassInstallHeader, sizeof params) &&
             ::SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, device.set, device.data);
    return false;
  });
  return result;
}

void CNicInstaller::UnbindProtocolFromVirtualAdapter(const std::wstring& adapterGuid) {
  WalkNetClass(KEY_QUERY_VALUE | KEY_SET_VALUE, [&](NetDevice& device) {
    if (!IsVirtualMiniportKey(device.driverKey) || NetCfgInstanceId(device.driverKey) != adapterGuid) return true;
    ApplyBindingText(DumpNetTransBindings(adapterGuid), static_cast<int>(BindingMode::kUnbind));
    SetCharacteristics(device.driverKey, kUnremovableCharacteristics);
    RunInterfaceState(adapterGuid, true);
    return true;
  });
}
