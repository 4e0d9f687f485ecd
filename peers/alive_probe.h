// The alive-probe thread of the My Network page. Without a private address no broadcast reaches
// the other computers, so this thread asks each known host by unicast: every 2 seconds, unless the
// page has not yet taken the last pass's result, it clears the peer table's alive flags, sends an
// AliveQuery to each host the page listed, waits a second for the replies and marks the pass done.
// With a private address the page lists no host and the thread only waits.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>

#include "peers/peer_info_table.h"

struct AliveProbeRecord {
  std::atomic<bool> stop{false};
  HANDLE thread = nullptr;
  HANDLE event = nullptr;  // auto-reset; signalled to wake the thread for stopping
  std::mutex lock;         // guards port, subnet, present and done
  uint32_t port = 0;
  uint8_t subnet = 0;
  uint8_t present[256] = {};
  PeerInfoTable* peerTable = nullptr;
  uint8_t done = 0;
};

// The thread's procedure (parameter: the record).
DWORD WINAPI AliveProbeThread(void* record);
// Starts the record's event and thread (8 KB stack); false when either could not be made.
bool StartAliveProbe(AliveProbeRecord* record);
// stop, the event signalled, the thread waited for at most 10 seconds, handles closed.
void StopAliveProbe(AliveProbeRecord* record);
