#include "platform/net_cfg_write_lock.h"

#include <objbase.h>

#include <cwchar>

namespace {

// Names of this computer's one configuration lock (a Wine server is one computer).
const wchar_t kMutexName[] = L"Global\\NetCfgWriteLock";
const wchar_t kHolderName[] = L"Global\\NetCfgWriteLockHolder";
constexpr DWORD kHolderUnits = 256;

HRESULT LastErrorResult() { return HRESULT_FROM_WIN32(::GetLastError()); }

}  // namespace

bool NetCfgLockNeedsFillIn(INetCfgLock* lock) {
  LPWSTR holder = nullptr;
  const HRESULT hr = lock->IsWriteLocked(&holder);
  if (holder) ::CoTaskMemFree(holder);
  return hr == E_NOTIMPL;
}

HRESULT NetCfgWriteLockFillIn::Acquire(DWORD timeoutMs, const wchar_t* client, std::wstring* holder) {
  if (held_) return S_OK;
  if (!mutex_) mutex_ = ::CreateMutexW(nullptr, FALSE, kMutexName);
  if (!mutex_) return LastErrorResult();
  if (!holderMapping_) {
    holderMapping_ = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          kHolderUnits * sizeof(wchar_t), kHolderName);
    if (!holderMapping_) return LastErrorResult();
    holderText_ = static_cast<wchar_t*>(::MapViewOfFile(holderMapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!holderText_) return LastErrorResult();
  }
  const DWORD waited = ::WaitForSingleObject(mutex_, timeoutMs);
  if (waited == WAIT_TIMEOUT) {
    if (holder) {
      // The holder writes its text under the lock; a copy bounded by the section is enough here.
      wchar_t copy[kHolderUnits];
      std::wmemcpy(copy, holderText_, kHolderUnits);
      copy[kHolderUnits - 1] = 0;
      *holder = copy;
    }
    return NETCFG_E_NO_WRITE_LOCK;
  }
  // An abandoned lock (its holder ended without releasing it) passes to the next client.
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return LastErrorResult();
  held_ = true;
  std::wcsncpy(holderText_, client ? client : L"", kHolderUnits - 1);
  holderText_[kHolderUnits - 1] = 0;
  return S_OK;
}

void NetCfgWriteLockFillIn::Release() {
  if (held_) {
    holderText_[0] = 0;
    ::ReleaseMutex(mutex_);
    held_ = false;
  }
  if (holderText_) ::UnmapViewOfFile(holderText_);
  if (holderMapping_) ::CloseHandle(holderMapping_);
  if (mutex_) ::CloseHandle(mutex_);
  holderText_ = nullptr;
  holderMapping_ = mutex_ = nullptr;
}
