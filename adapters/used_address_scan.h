// The used-address scan of the installation wizard: one ARP probe thread per host 1..249 of the
// private /24, sent from the temporary address .250 on the chosen adapter, after the adapter's
// neighbour cache is flushed so that only fresh answers count.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "adapters/address_plan.h"

class CNicInstaller;

// One host's probe; each probe thread writes only its own record.
struct ProbeRecord {
  uint8_t subnet;
  uint8_t host;
  uint8_t inUse;  // 1 when the host answered
  uint8_t mac[6];
};

struct UsedAddressScan {
  // Given.
  std::wstring adapterGuid;
  int subnet = 0;
  bool xp = false;
  CNicInstaller* installer = nullptr;
  // Results; they outlive every probe thread.
  ProbeRecord records[kScanHosts] = {};
  // Measured: probes whose thread ran, and the most that ran at once.
  std::atomic<int> probesRun{0};
  std::atomic<int> running{0};
  std::atomic<int> peakRunning{0};
  bool flushed = false;  // the adapter was known and its neighbour cache flushed
};

constexpr DWORD kProbeStartGapMs = 20;
constexpr DWORD kProbeWaitMs = 20000;
constexpr SIZE_T kProbeStack = 8 * 1024;

// Flushes the adapter's neighbours, probes the 249 hosts and waits for every probe.
void ScanUsedIps(UsedAddressScan& scan);
// The scan worker: the adapter's IPv4 bindings on, the temporary address, the scan, DHCP again.
DWORD WINAPI IpScanThreadProc(void* scan);
DWORD WINAPI ArpProbeThreadProc(void* record);
// used[h - 1] from the records.
void UsedHosts(const UsedAddressScan& scan, bool used[kScanHosts]);
