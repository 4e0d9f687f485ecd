#include "adapters/net_cfg_session.h"

#include <objbase.h>

#include "adapters/adapter_records.h"

HRESULT NetCfgSession::Create() {
  const HRESULT com = ::CoInitialize(nullptr);
  comInitialised_ = SUCCEEDED(com);
  return ::CoCreateInstance(CLSID_CNetCfg, nullptr, CLSCTX_INPROC_SERVER, IID_INetCfg,
                            reinterpret_cast<void**>(&config_));
}

HRESULT NetCfgSession::OpenLocked(std::wstring* holder, const wchar_t* client) {
  HRESULT hr = Create();
  if (FAILED(hr)) return hr;
  hr = config_->QueryInterface(IID_INetCfgLock, reinterpret_cast<void**>(&lock_));
  if (FAILED(hr)) return hr;
  LPWSTR holderName = nullptr;
  hr = lock_->AcquireWriteLock(5000, client, &holderName);
  if (hr == S_FALSE) hr = NETCFG_E_NO_WRITE_LOCK;
  if (hr == NETCFG_E_NO_WRITE_LOCK && holder) *holder = holderName ? holderName : L"";
  if (holderName) ::CoTaskMemFree(holderName);
  if (FAILED(hr)) return hr;
  locked_ = true;
  if (NetCfgLockNeedsFillIn(lock_)) {
    hr = lockFillIn_.Acquire(5000, client, holder);
    if (FAILED(hr)) return hr;
  }
  hr = config_->Initialize(nullptr);
  if (FAILED(hr)) return hr;
  initialised_ = true;
  return S_OK;
}

HRESULT NetCfgSession::OpenReadOnly() {
  HRESULT hr = Create();
  if (FAILED(hr)) return hr;
  hr = config_->Initialize(nullptr);
  if (SUCCEEDED(hr)) initialised_ = true;
  return hr;
}

void NetCfgSession::Close() {
  if (initialised_) config_->Uninitialize();
  lockFillIn_.Release();
  if (locked_) lock_->ReleaseWriteLock();
  if (lock_) lock_->Release();
  if (config_) config_->Release();
  if (comInitialised_) ::CoUninitialize();
  initialised_ = locked_ = comInitialised_ = false;
  lock_ = nullptr;
  config_ = nullptr;
}

bool ProbeNetCfgWriteLock(wchar_t holder[128]) {
  NetCfgSession session;
  std::wstring name;
  const HRESULT hr = session.OpenLocked(&name);
  if (SUCCEEDED(hr)) return true;
  CopyField(holder, 128, hr == NETCFG_E_NO_WRITE_LOCK && !name.empty() ? name : std::wstring(L"Unknown"));
  return false;
}
