// The network configuration opened with its write lock (every changing operation) or read only,
// and the lock probe the sequences start with.
#pragma once
#include <windows.h>
#include <netcfgx.h>

#include <string>

#include "platform/net_cfg_write_lock.h"

class NetCfgSession {
 public:
  NetCfgSession() = default;
  ~NetCfgSession() { Close(); }
  NetCfgSession(const NetCfgSession&) = delete;
  NetCfgSession& operator=(const NetCfgSession&) = delete;

  // COM, the configuration object, the write lock (5 s, as client) and Initialize. A lock held by
  // another client gives NETCFG_E_NO_WRITE_LOCK with its name in holder.
  HRESULT OpenLocked(std::wstring* holder, const wchar_t* client = L"Corvane");
  // Without the lock, for reading.
  HRESULT OpenReadOnly();
  void Close();

  INetCfg* config() const { return config_; }

 private:
  HRESULT Create();

  bool comInitialised_ = false;
  INetCfg* config_ = nullptr;
  INetCfgLock* lock_ = nullptr;
  NetCfgWriteLockFillIn lockFillIn_;
  bool locked_ = false;
  bool initialised_ = false;
};

// True when the lock could be taken (released at once); else the holder's name, or "Unknown".
bool ProbeNetCfgWriteLock(wchar_t holder[128]);
