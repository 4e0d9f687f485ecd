#include <windows.h>
#include <devguid.h>
#include <setupapi.h>

#include "adapters/miniport_devices.h"
#include "adapters/miniport_values.h"
#include "adapters/net_cfg_session.h"
#include "adapters/nic_installer.h"
#include "adapters/protocol_bindings.h"
#include "platform/net_cfg_store.h"

namespace {

constexpr int kLockAttempts = 120;

bool AppliedOk(HRESULT hr) { return hr == S_OK || hr == NETCFG_S_REBOOT; }

// Wine keeps no components: its INetCfg answers E_NOTIMPL, and the store stands in.
HRESULT ApplyChanges(INetCfg* config) {
  const HRESULT hr = config->Apply();
  return hr == E_NOTIMPL ? S_OK : hr;
}

}  // namespace

HRESULT InstallNetComponent(INetCfg* config, const wchar_t* componentId, const std::wstring& infPath) {
  std::wstring copiedInfName;
  std::wstring copiedInfPath = infPath;
  if (!infPath.empty()) {
    const std::wstring media = infPath.substr(0, infPath.find_last_of(L'\\') + 1);
    wchar_t destination[MAX_PATH] = {};
    PWSTR fileName = nullptr;
    if (!::SetupCopyOEMInfW(infPath.c_str(), media.c_str(), SPOST_PATH, 0, destination, MAX_PATH, nullptr, &fileName))
      return HRESULT_FROM_WIN32(::GetLastError());
    copiedInfPath = destination;
    copiedInfName = fileName ? fileName : destination;
  }
  INetCfgClassSetup* setup = nullptr;
  HRESULT hr = config->QueryNetCfgClass(&GUID_DEVCLASS_NETTRANS, IID_INetCfgClassSetup, reinterpret_cast<void**>(&setup));
  if (hr == E_NOTIMPL) {
    hr = NetCfgStoreInstall(componentId, copiedInfPath, copiedInfName);
    return FAILED(hr) ? hr : ApplyChanges(config);
  }
  if (FAILED(hr)) return hr;
  OBO_TOKEN token{};
  token.Type = OBO_USER;
  INetCfgComponent* component = nullptr;
  hr = setup->Install(componentId, &token, 0, 0, nullptr, nullptr, &component);
  if (component) component->Release();
  setup->Release();
  if (FAILED(hr)) return hr;
  return ApplyChanges(config);
}

bool CNicInstaller::InstallProtocol(const std::wstring& physicalDescription, std::wstring& errorText) {
  errorText.clear();
  const std::wstring inf = DriverInfPath(xp_, physicalDescription, L"qvx_pt.inf");
  if (inf.empty()) return false;
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    NetCfgSession session;
    std::wstring holder;
    const HRESULT opened = session.OpenLocked(&holder);
    if (opened == NETCFG_E_NO_WRITE_LOCK) {
      errorText = holder + L" currently holds the lock, try later.";
      ::Sleep(1000);
      continue;
    }
    if (FAILED(opened)) {
      errorText = L"Couldn't the get notify object interface.";
      continue;
    }
    const HRESULT hr = InstallNetComponent(session.config(), kProtocolComponentId, inf);
    if (hr == S_OK || hr == NETCFG_S_REBOOT) {
      ApplyChanges(session.config());
      errorText.clear();
      return true;
    }
    if (hr == HRESULT_FROM_WIN32(ERROR_CANCELLED)) continue;
    errorText = L"Couldn't install the network component.";
    return false;
  }
  return false;
}

bool UninstallProtocol(CNicInstaller*, std::wstring& errorText) {
  errorText.clear();
  NetCfgSession session;
  HRESULT opened = E_FAIL;
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    session.Close();
    opened = session.OpenLocked(nullptr);
    if (opened != NETCFG_E_NO_WRITE_LOCK) break;
    ::Sleep(1000);
  }
  if (opened == NETCFG_E_NO_WRITE_LOCK) return false;
  if (FAILED(opened)) {
    errorText = L"Couldn't get the notify object interface";
    return false;
  }
  INetCfg* config = session.config();
  INetCfgComponent* component = nullptr;
  HRESULT hr = config->FindComponent(L"qvxproto", &component);
  if (hr == E_NOTIMPL) {
    const HRESULT removed = NetCfgStoreRemove(L"qvxproto");
    if (removed == S_FALSE) {
      errorText = L"Couldn't get an interface pointer to protocol";
      return true;
    }
    if (FAILED(removed)) {
      errorText = L"Failed to uninstall protocol";
      return false;
    }
    return true;
  }
  if (hr != S_OK) {
    if (component) component->Release();
    errorText = L"Couldn't get an interface pointer to protocol";
    return true;
  }
  bool result = false;
  GUID classGuid{};
  INetCfgClass* netClass = nullptr;
  INetCfgClassSetup* setup = nullptr;
  if (FAILED(component->GetClassGuid(&classGuid))) {
    errorText = L"Couldn't get the class guid of protocol";
  } else if (FAILED(config->QueryNetCfgClass(&classGuid, IID_INetCfgClass, reinterpret_cast<void**>(&netClass)))) {
    errorText = L"Couldn't get a pointer to class interface of protocol";
  } else if (FAILED(netClass->QueryInterface(IID_INetCfgClassSetup, reinterpret_cast<void**>(&setup)))) {
    errorText = L"Couldn't get an interface to setup class";
  } else {
    OBO_TOKEN token{};
    token.Type = OBO_USER;
    if (!AppliedOk(setup->DeInstall(component, &token, nullptr))) {
      errorText = L"Failed to uninstall protocol";
    } else if (!AppliedOk(config->Apply())) {
      errorText = L"Couldn't apply the changes after uninstalling protocol";
    } else {
      result = true;
    }
  }
  if (setup) setup->Release();
  if (netClass) netClass->Release();
  component->Release();
  return result;
}
