#include "common/link_lock.h"

#include <windows.h>

#include "common/adapter_table.h"

namespace {
CRITICAL_SECTION g_linkLock;
bool g_linkLockCreated = false;
}  // namespace

void CreateLinkLock() {
  if (g_linkLockCreated) return;
  InitializeCriticalSection(&g_linkLock);
  g_linkLockCreated = true;
}

void DeleteLinkLock() {
  if (!g_linkLockCreated) return;
  g_linkLockCreated = false;
  DeleteCriticalSection(&g_linkLock);
}

bool LinkLockCreated() { return g_linkLockCreated; }

void SetLinkFlagUnderLinkLock(const wchar_t* name, uint8_t link) {
  if (!g_linkLockCreated) return;
  EnterCriticalSection(&g_linkLock);
  g_AdapterTable.SetLinkFlag(name, link);
  LeaveCriticalSection(&g_linkLock);
}
