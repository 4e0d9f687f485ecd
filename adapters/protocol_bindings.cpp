#include "adapters/protocol_bindings.h"

#include <devguid.h>
#include <objbase.h>

#include <vector>

#include "adapters/binding_rules.h"
#include "adapters/miniport_values.h"
#include "adapters/net_cfg_session.h"
#include "adapters/net_class_walk.h"
#include "adapters/nic_installer.h"
#include "platform/net_cfg_store.h"

namespace {

constexpr int kLockAttempts = 120;
constexpr int kConfirmPolls = 30;
constexpr size_t kSnapshotBufferBytes = 4098;

std::wstring TakeCoText(LPWSTR text) {
  std::wstring copy = text ? text : L"";
  if (text) ::CoTaskMemFree(text);
  return copy;
}

// The store's path to that token, by the token's letters in any case.
bool FindStorePath(const std::wstring& componentId, const std::wstring& token, NetCfgStorePath& found) {
  const std::wstring wanted = LowerAscii(token.substr(0, 128));
  for (const auto& path : NetCfgStorePaths(componentId)) {
    if (LowerAscii(path.token.substr(0, 128)) == wanted) {
      found = path;
      return true;
    }
  }
  return false;
}

// One pair on the system's own paths: enable or disable, apply, then wait until it shows.
void ApplyToPath(INetCfg* config, INetCfgBindingPath* path, BindingAction action) {
  const bool enable = action == BindingAction::kEnable;
  if (path->Enable(enable ? TRUE : FALSE) != S_OK || config->Apply() != S_OK) return;
  for (int poll = 0; poll < kConfirmPolls; ++poll) {
    if (path->IsEnabled() == (enable ? S_OK : S_FALSE)) return;
    ::Sleep(1000);
  }
}

bool OpenWithRetries(NetCfgSession& session) {
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    session.Close();
    const HRESULT hr = session.OpenLocked(nullptr);
    if (SUCCEEDED(hr)) return true;
    if (hr != NETCFG_E_NO_WRITE_LOCK) return false;
    ::Sleep(1000);
  }
  return false;
}

// The line of a path whose single binding interface leads to the adapter; empty otherwise.
std::wstring PathLine(INetCfg* config, INetCfgBindingPath* path, const std::wstring& componentId,
                      const std::wstring& adapterGuid) {
  IEnumNetCfgBindingInterface* interfaces = nullptr;
  if (FAILED(path->EnumBindingInterfaces(&interfaces)) || !interfaces) return {};
  int counted = 0;
  std::wstring pnpId, bindName;
  INetCfgBindingInterface* item = nullptr;
  ULONG fetched = 0;
  while (interfaces->Next(1, &item, &fetched) == S_OK && fetched == 1) {
    INetCfgComponent* lower = nullptr;
    if (SUCCEEDED(item->GetLowerComponent(&lower)) && lower) {
      LPWSTR id = nullptr;
      if (SUCCEEDED(lower->GetPnpDevNodeId(&id))) {
        ++counted;
        pnpId = TakeCoText(id).substr(0, 255);
      }
      LPWSTR name = nullptr;
      if (SUCCEEDED(lower->GetBindName(&name))) bindName = TakeCoText(name).substr(0, 255);
      lower->Release();
    }
    item->Release();
  }
  interfaces->Release();
  if (counted != 1 || bindName != adapterGuid) return {};
  bool enabled = false;
  if (INetCfgBindingPath* found = FindBindingPath(config, componentId.c_str(), BindingPathToken(componentId, pnpId))) {
    enabled = found->IsEnabled() == S_OK;
    found->Release();
  }
  return BindingLine(componentId, pnpId, enabled);
}

void AppendComponentBindingLines(INetCfg* config, INetCfgComponent* component, std::wstring& text,
                                 const std::wstring& adapterGuid) {
  LPWSTR id = nullptr;
  if (FAILED(component->GetId(&id))) return;
  const std::wstring componentId = TakeCoText(id);
  INetCfgComponentBindings* bindings = nullptr;
  if (FAILED(component->QueryInterface(IID_INetCfgComponentBindings, reinterpret_cast<void**>(&bindings)))) return;
  IEnumNetCfgBindingPath* paths = nullptr;
  if (SUCCEEDED(bindings->EnumBindingPaths(EBP_BELOW, &paths)) && paths) {
    INetCfgBindingPath* path = nullptr;
    ULONG fetched = 0;
    while (paths->Next(1, &path, &fetched) == S_OK && fetched == 1) {
      const std::wstring line = PathLine(config, path, componentId, adapterGuid);
      if (!line.empty()) AppendBindingLine(text, line);
      path->Release();
    }
    paths->Release();
  }
  bindings->Release();
}

std::wstring StoreBindingText(const std::wstring& adapterGuid) {
  std::wstring text;
  for (const auto& component : NetCfgStoreComponents()) {
    for (const auto& path : NetCfgStorePaths(component)) {
      if (path.bindName != adapterGuid) continue;
      AppendBindingLine(text, BindingLine(component, path.pnpDevNodeId.substr(0, 255), NetCfgStoreIsEnabled(path)));
    }
  }
  return text;
}

}  // namespace

INetCfgBindingPath* FindBindingPath(INetCfg* config, const wchar_t* componentId, const std::wstring& token) {
  const std::wstring wanted = LowerAscii(token.substr(0, 128));
  INetCfgComponent* component = nullptr;
  if (config->FindComponent(componentId, &component) != S_OK || !component) return nullptr;
  INetCfgBindingPath* match = nullptr;
  INetCfgComponentBindings* bindings = nullptr;
  if (SUCCEEDED(component->QueryInterface(IID_INetCfgComponentBindings, reinterpret_cast<void**>(&bindings)))) {
    IEnumNetCfgBindingPath* paths = nullptr;
    if (SUCCEEDED(bindings->EnumBindingPaths(EBP_BELOW, &paths)) && paths) {
      INetCfgBindingPath* path = nullptr;
      ULONG fetched = 0;
      while (!match && paths->Next(1, &path, &fetched) == S_OK && fetched == 1) {
        LPWSTR pathToken = nullptr;
        if (SUCCEEDED(path->GetPathToken(&pathToken)) && LowerAscii(TakeCoText(pathToken).substr(0, 128)) == wanted) {
          match = path;
        } else {
          path->Release();
        }
      }
      paths->Release();
    }
    bindings->Release();
  }
  component->Release();
  return match;
}

void SetProtocolBindings(bool xp, const std::wstring* componentIds, const std::wstring* tokens, int count, int mode) {
  NetCfgSession session;
  if (!OpenWithRetries(session)) return;
  INetCfg* config = session.config();
  for (int i = 0; i < count; ++i) {
    const BindingAction action = DecideBinding(mode, xp, componentIds[i]);
    INetCfgComponent* probe = nullptr;
    const HRESULT found = config->FindComponent(componentIds[i].c_str(), &probe);
    if (probe) probe->Release();
    if (found == E_NOTIMPL) {
      NetCfgStorePath path;
      if (action != BindingAction::kLeave && FindStorePath(componentIds[i], tokens[i], path))
        NetCfgStoreEnable(path, action == BindingAction::kEnable);
      continue;
    }
    INetCfgBindingPath* path = FindBindingPath(config, componentIds[i].c_str(), tokens[i]);
    if (!path) continue;
    if (action != BindingAction::kLeave) ApplyToPath(config, path, action);
    path->Release();
  }
}

std::wstring DumpNetTransBindings(const std::wstring& adapterGuid) {
  NetCfgSession session;
  if (FAILED(session.OpenReadOnly())) return {};
  INetCfg* config = session.config();
  IEnumNetCfgComponent* components = nullptr;
  const HRESULT listed = config->EnumComponents(&GUID_DEVCLASS_NETTRANS, &components);
  if (listed == E_NOTIMPL) return StoreBindingText(adapterGuid);
  std::wstring text;
  if (FAILED(listed) || !components) return text;
  INetCfgComponent* component = nullptr;
  ULONG fetched = 0;
  while (components->Next(1, &component, &fetched) == S_OK && fetched == 1) {
    AppendComponentBindingLines(config, component, text, adapterGuid);
    component->Release();
  }
  components->Release();
  return text;
}

void SaveBindings(CNicInstaller*, const std::wstring& adapterGuid, const std::wstring& filePath) {
  const std::wstring text = DumpNetTransBindings(adapterGuid);
  HANDLE file = ::CreateFileW(filePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
  ::CloseHandle(file);
}

std::wstring ReadBindingSnapshot(const std::wstring& filePath) {
  wchar_t buffer[kSnapshotBufferBytes / sizeof(wchar_t)] = {};
  HANDLE file = ::CreateFileW(filePath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  // The last unit stays NUL, so the text always ends inside the buffer.
  DWORD got = 0;
  ::ReadFile(file, buffer, sizeof buffer - sizeof(wchar_t), &got, nullptr);
  ::CloseHandle(file);
  return buffer;
}

void CNicInstaller::LoadBindings(const std::wstring&, int mode, const std::wstring& filePath) {
  HANDLE probe = ::CreateFileW(filePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return;
  ::CloseHandle(probe);
  ApplyBindingText(ReadBindingSnapshot(filePath), mode);
}

void CNicInstaller::ApplyBindingText(const std::wstring& text, int mode) {
  const std::vector<BindingPair> pairs = ParseBindingText(text);
  if (pairs.empty()) return;
  std::vector<std::wstring> ids, tokens;
  for (const auto& pair : pairs) {
    ids.push_back(pair.componentId);
    tokens.push_back(pair.token);
  }
  SetProtocolBindings(xp_, ids.data(), tokens.data(), static_cast<int>(pairs.size()), mode);
}

void CNicInstaller::UnbindProtocolFromAllAdapters() {
  std::vector<std::wstring> guids;
  WalkNetClass(KEY_READ, [&](NetDevice& device) {
    std::wstring component, description;
    DWORD characteristics = 0;
    const std::wstring guid = NetCfgInstanceId(device.driverKey);
    if (ReadRegText(device.driverKey, L"ComponentId", 512, component) &&
        ReadRegDword(device.driverKey, L"Characteristics", characteristics) &&
        ReadRegText(device.driverKey, L"DriverDesc", 1024, description) && !guid.empty()) {
      guids.push_back(guid);
    }
    return true;
  });
  for (const auto& guid : guids) ApplyBindingText(DumpNetTransBindings(guid), static_cast<int>(BindingMode::kUnbind));
}

void CNicInstaller::BindPppoeOnly(const std::wstring& adapterGuid) {
  bool found = false;
  WalkNetClass(KEY_READ, [&](NetDevice& device) {
    found = found || (IsVirtualMiniportKey(device.driverKey) && NetCfgInstanceId(device.driverKey) == adapterGuid);
    return true;
  });
  if (found) ApplyBindingText(DumpNetTransBindings(adapterGuid), static_cast<int>(BindingMode::kPppoeOnly));
}
