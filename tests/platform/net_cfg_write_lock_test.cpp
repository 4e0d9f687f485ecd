// The write lock between clients: a second client waits, then is told who holds it; the lock
// passes on when released or when its holder's thread ends without releasing it. Threads stand in
// for processes (a named mutex belongs to a thread).
#include "platform/net_cfg_write_lock.h"

#include <gtest/gtest.h>

#include <objbase.h>

namespace {

struct Holder {
  HANDLE acquired = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool abandon = false;
  HRESULT result = E_FAIL;
  ~Holder() {
    ::CloseHandle(acquired);
    ::CloseHandle(release);
  }
};

DWORD WINAPI HoldLock(void* parameter) {
  auto* holder = static_cast<Holder*>(parameter);
  auto* lock = new NetCfgWriteLockFillIn;
  holder->result = lock->Acquire(1000, L"Another client", nullptr);
  ::SetEvent(holder->acquired);
  ::WaitForSingleObject(holder->release, INFINITE);
  // Abandoning: the thread ends holding the mutex (the object is leaked on purpose).
  if (!holder->abandon) delete lock;
  return 0;
}

TEST(NetCfgWriteLock, SecondClientIsToldTheHolderUntilReleased) {
  for (bool abandon : {false, true}) {
    SCOPED_TRACE(abandon ? "holder ends without releasing" : "holder releases");
    Holder holder;
    holder.abandon = abandon;
    HANDLE thread = ::CreateThread(nullptr, 0, HoldLock, &holder, 0, nullptr);
    ASSERT_EQ(::WaitForSingleObject(holder.acquired, 5000), WAIT_OBJECT_0);
    ASSERT_EQ(holder.result, S_OK);

    NetCfgWriteLockFillIn lock;
    std::wstring name = L"unset";
    EXPECT_EQ(lock.Acquire(100, L"Corvane", &name), NETCFG_E_NO_WRITE_LOCK);
    EXPECT_EQ(name, L"Another client");

    ::SetEvent(holder.release);
    ::WaitForSingleObject(thread, 5000);
    ::CloseHandle(thread);
    name = L"unset";
    EXPECT_EQ(lock.Acquire(1000, L"Corvane", &name), S_OK);
    EXPECT_EQ(name, L"unset");
    lock.Release();
  }
}

TEST(NetCfgWriteLock, WineKeepsNoHolder) {
  // The fill-in is used only where the system's lock cannot say who holds it.
  ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  INetCfg* config = nullptr;
  ASSERT_EQ(::CoCreateInstance(CLSID_CNetCfg, nullptr, CLSCTX_INPROC_SERVER, IID_INetCfg,
                               reinterpret_cast<void**>(&config)),
            S_OK);
  INetCfgLock* lock = nullptr;
  ASSERT_EQ(config->QueryInterface(IID_INetCfgLock, reinterpret_cast<void**>(&lock)), S_OK);
  EXPECT_TRUE(NetCfgLockNeedsFillIn(lock));
  lock->Release();
  config->Release();
  ::CoUninitialize();
}

}  // namespace
