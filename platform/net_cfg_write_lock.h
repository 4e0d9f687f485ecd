// Wine's INetCfgLock grants the write lock to every client at once and keeps no holder
// (IsWriteLocked answers E_NOTIMPL). This keeps the lock between the processes of one computer as
// Windows does: a named mutex, with the holder's client description beside it.
#pragma once
#include <windows.h>
#include <netcfgx.h>

#include <string>

class NetCfgWriteLockFillIn {
 public:
  NetCfgWriteLockFillIn() = default;
  ~NetCfgWriteLockFillIn() { Release(); }
  NetCfgWriteLockFillIn(const NetCfgWriteLockFillIn&) = delete;
  NetCfgWriteLockFillIn& operator=(const NetCfgWriteLockFillIn&) = delete;

  // Waits up to timeoutMs. S_OK: held, the client recorded as holder. NETCFG_E_NO_WRITE_LOCK:
  // another client holds it, its description in holder. Other failures as HRESULTs.
  HRESULT Acquire(DWORD timeoutMs, const wchar_t* client, std::wstring* holder);
  // On the thread that acquired it.
  void Release();

 private:
  HANDLE mutex_ = nullptr;
  HANDLE holderMapping_ = nullptr;
  wchar_t* holderText_ = nullptr;
  bool held_ = false;
};

// True when the system's lock keeps no holder, so the fill-in must.
bool NetCfgLockNeedsFillIn(INetCfgLock* lock);
