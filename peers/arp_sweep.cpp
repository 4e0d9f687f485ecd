#include "peers/arp_sweep.h"

#include <winsock2.h>
#include <iphlpapi.h>

#include <vector>

#include "peers/lan_sender.h"
#include "platform/flush_ip_net_table.h"
#include "platform/send_arp.h"

namespace {
constexpr DWORD kStartGapMs = 20;
constexpr DWORD kProbeWaitMs = 20000;

DWORD NetworkOrder(uint8_t subnet, uint8_t host) { return ::htonl(PrivatePeerAddress(subnet, host)); }

DWORD WINAPI ArpProbeThread(void* parameter) {
  auto* entry = static_cast<ArpSweepEntry*>(parameter);
  ULONG mac[2] = {};
  ULONG length = 6;
  if (SendArpProbe(NetworkOrder(entry->subnet, entry->target), NetworkOrder(entry->subnet, entry->ownHost), mac,
                   &length) == NO_ERROR &&
      length == 6) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(mac);
    for (int i = 0; i < 6; ++i) entry->mac[i] = bytes[i];
    entry->answered = 1;
  }
  return 0;
}
}  // namespace

void ArpSweep(ArpSweepTable* table, uint8_t subnet, uint8_t ownHost, unsigned long interfaceIndex) {
  FlushIpNetTableOf(interfaceIndex);
  table->count = ArpSweepTable::kEntries;
  std::vector<HANDLE> threads;
  for (int i = 0; i < table->count; ++i) {
    ArpSweepEntry& entry = table->entries[i];
    entry = ArpSweepEntry{};
    entry.subnet = subnet;
    entry.ownHost = ownHost;
    entry.target = static_cast<uint8_t>(i + 1);
  }
  for (int i = 0; i < table->count; ++i) {
    ArpSweepEntry& entry = table->entries[i];
    if (entry.target == ownHost) continue;
    HANDLE thread = ::CreateThread(nullptr, 8 * 1024, ArpProbeThread, &entry,
                                   CREATE_SUSPENDED | STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (thread) {
      ::ResumeThread(thread);
      threads.push_back(thread);
    }
    ::Sleep(kStartGapMs);
  }
  for (HANDLE thread : threads) {
    ::WaitForSingleObject(thread, kProbeWaitMs);
    ::CloseHandle(thread);
  }
}

void ArpScanRequests(ArpSweepTable* table, uint8_t subnet, uint8_t ownHost, unsigned long interfaceIndex,
                     uint16_t scanPort) {
  ArpSweep(table, subnet, ownHost, interfaceIndex);
  for (int i = 0; i < table->count; ++i) {
    const ArpSweepEntry& entry = table->entries[i];
    if (entry.target == ownHost || !entry.answered) continue;
    LanSendSocket socket;
    if (!socket.IsOpen()) return;
    const LanDatagram request = BuildScanRequest();
    const LanPeer to{PrivatePeerAddress(subnet, entry.target), scanPort};
    for (int send = 0; send < 2; ++send) {
      socket.SendTo(to, request);
      ::Sleep(100);
    }
  }
}
