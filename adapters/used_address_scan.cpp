#include "adapters/used_address_scan.h"

#include <winsock2.h>

#include <cstring>

#include "adapters/adapter_lookup.h"
#include "adapters/install_plan.h"
#include "adapters/nic_operations.h"
#include "adapters/program_folder.h"
#include "common/settings_file.h"
#include "platform/flush_ip_net_table.h"
#include "platform/send_arp.h"

namespace {
constexpr int kScanSourceHost = 250;
constexpr int kIpv4BindingsOn = 0;

IPAddr Address(int subnet, int host) {
  const uint8_t bytes[4] = {192, 168, static_cast<uint8_t>(subnet), static_cast<uint8_t>(host)};
  IPAddr address;
  std::memcpy(&address, bytes, 4);
  return address;
}

// Which scan a probe belongs to, for the running counts.
struct ProbeStart {
  UsedAddressScan* scan;
  ProbeRecord* record;
};
}  // namespace

DWORD WINAPI ArpProbeThreadProc(void* argument) {
  auto* start = static_cast<ProbeStart*>(argument);
  UsedAddressScan& scan = *start->scan;
  ProbeRecord& record = *start->record;
  int now = ++scan.running;
  for (int peak = scan.peakRunning.load(); now > peak && !scan.peakRunning.compare_exchange_weak(peak, now);) {
  }
  ULONG mac[2] = {};
  ULONG length = 6;
  DWORD result = SendArpProbe(Address(record.subnet, record.host), Address(record.subnet, kScanSourceHost), mac, &length);
  if (result == NO_ERROR && length == 6) {
    std::memcpy(record.mac, mac, 6);
    record.inUse = 1;
  }
  ++scan.probesRun;
  --scan.running;
  return 0;
}

void ScanUsedIps(UsedAddressScan& scan) {
  DWORD index = 0;
  // The IP Helper's index of the adapter itself; an unknown adapter flushes nothing else.
  scan.flushed = IpHelperIndexOf(scan.adapterGuid, &index) && FlushIpNetTableOf(index) == NO_ERROR;
  ProbeStart starts[kScanHosts];
  HANDLE threads[kScanHosts] = {};
  for (int i = 0; i < kScanHosts; ++i) {
    scan.records[i] = {static_cast<uint8_t>(scan.subnet), static_cast<uint8_t>(i + 1), 0, {}};
    starts[i] = {&scan, &scan.records[i]};
  }
  for (int i = 0; i < kScanHosts; ++i) {
    // A probe that cannot start counts as free.
    threads[i] = ::CreateThread(nullptr, kProbeStack, ArpProbeThreadProc, &starts[i],
                                CREATE_SUSPENDED | STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (threads[i]) ::ResumeThread(threads[i]);
    ::Sleep(kProbeStartGapMs);
  }
  for (HANDLE thread : threads) {
    if (!thread) continue;
    ::WaitForSingleObject(thread, kProbeWaitMs);
    ::CloseHandle(thread);
  }
}

DWORD WINAPI IpScanThreadProc(void* argument) {
  auto* scan = static_cast<UsedAddressScan*>(argument);
  const std::wstring snapshot = SettingsFilePath(ProgramFolder(), L"savebindarpscan.txt");
  g_NicOperations.saveBindings(scan->installer, scan->adapterGuid, snapshot);
  g_NicOperations.loadBindings(scan->installer, scan->adapterGuid, kIpv4BindingsOn, snapshot);
  ::DeleteFileW(snapshot.c_str());
  g_NicOperations.setStaticIp(scan->xp, scan->adapterGuid, PrivateAddressText(scan->subnet, kScanSourceHost),
                              L"255.255.255.0");
  ScanUsedIps(*scan);
  g_NicOperations.setDhcp(scan->xp, scan->adapterGuid);
  return 0;
}

void UsedHosts(const UsedAddressScan& scan, bool used[kScanHosts]) {
  for (int i = 0; i < kScanHosts; ++i) used[i] = scan.records[i].inUse != 0;
}
