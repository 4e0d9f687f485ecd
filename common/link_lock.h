// The link lock: one critical section for the writes of link bytes made while the watcher runs
// (WMI's callback thread, or the carrier fill-in's thread). Readers take no lock.
#pragma once
#include <cstdint>

void CreateLinkLock();
void DeleteLinkLock();
bool LinkLockCreated();

// g_AdapterTable.SetLinkFlag under the link lock; nothing when the lock does not exist.
void SetLinkFlagUnderLinkLock(const wchar_t* name, uint8_t link);
