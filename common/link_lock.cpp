#include "common/link_lock.h"

#include <windows.h>

#include <atomic>

#include "common/adapter_table.h"

namespace {
CRITICAL_SECTION g_linkLock;
// Read by the callback threads without the lock, so one atomic value.
std::atomic<bool> g_linkLockCreated{false};
}  // namespace

void CreateLinkLock() {
  if (g_linkLockCreated.load()) return;
  ::InitializeCriticalSection(&g_linkLock);
  g_linkLockCreated.store(true);
}

void DeleteLinkLock() {
  // Cleared first, so that a writer arriving now skips the lock that is about to go.
  if (!g_linkLockCreated.exchange(false)) return;
  ::DeleteCriticalSection(&g_linkLock);
}

bool LinkLockCreated() { return g_linkLockCreated.load(); }

void SetLinkFlagUnderLinkLock(const wchar_t* name, uint8_t link) {
  if (!g_linkLockCreated.load()) return;
  ::EnterCriticalSection(&g_linkLock);
  g_AdapterTable.SetLinkFlag(name, link);
  ::LeaveCriticalSection(&g_linkLock);
}
