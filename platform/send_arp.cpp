#include "platform/send_arp.h"

#include <mutex>
#include <vector>

namespace {
// The kernel gives up after three requests one second apart.
constexpr DWORD kAnswerWaitMs = 3500;
constexpr DWORD kPollMs = 100;
constexpr u_short kDiscardPort = 9;

void SendOneDatagram(IPAddr destination, IPAddr source) {
  SOCKET s = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (s == INVALID_SOCKET) return;
  sockaddr_in from = {};
  from.sin_family = AF_INET;
  from.sin_addr.s_addr = source;
  if (source == 0 || ::bind(s, reinterpret_cast<sockaddr*>(&from), sizeof from) == 0) {
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = destination;
    to.sin_port = ::htons(kDiscardPort);
    const char byte = 0;
    ::sendto(s, &byte, 1, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  }
  ::closesocket(s);
}

// One copy of the neighbour table for every probe, read afresh at most every poll period: 249
// probes asking Wine for the table ten times a second each overwhelm its network service.
std::vector<MIB_IPNETROW> NeighbourRows() {
  static std::mutex lock;
  static std::vector<MIB_IPNETROW> rows;
  static DWORD readAt = 0;
  static bool read = false;
  std::lock_guard<std::mutex> hold(lock);
  const DWORD now = ::GetTickCount();
  if (read && now - readAt < kPollMs) return rows;
  ULONG size = 0;
  rows.clear();
  if (::GetIpNetTable(nullptr, &size, FALSE) == ERROR_INSUFFICIENT_BUFFER && size) {
    std::vector<BYTE> buffer(size);
    auto* table = reinterpret_cast<MIB_IPNETTABLE*>(buffer.data());
    if (::GetIpNetTable(table, &size, FALSE) == NO_ERROR) rows.assign(table->table, table->table + table->dwNumEntries);
  }
  readAt = ::GetTickCount();
  read = true;
  return rows;
}
}  // namespace

bool ResolvedNeighbour(IPAddr destination, BYTE mac[6]) {
  for (const MIB_IPNETROW& row : NeighbourRows()) {
    if (row.dwAddr != destination || row.dwPhysAddrLen != 6) continue;
    if (row.dwType != MIB_IPNET_TYPE_DYNAMIC && row.dwType != MIB_IPNET_TYPE_STATIC) continue;
    // Wine lists an unanswered (incomplete or failed) neighbour as dynamic with a zero MAC.
    bool zero = true;
    for (int b = 0; b < 6; ++b) zero = zero && row.bPhysAddr[b] == 0;
    if (zero) continue;
    for (int b = 0; b < 6; ++b) mac[b] = row.bPhysAddr[b];
    return true;
  }
  return false;
}

DWORD SendArpProbe(IPAddr destination, IPAddr source, void* mac, ULONG* length) {
  DWORD result = ::SendARP(destination, source, mac, length);
  if (result != ERROR_NOT_SUPPORTED) return result;
  if (!mac || !length || *length < 6) return ERROR_INVALID_PARAMETER;
  SendOneDatagram(destination, source);
  BYTE found[6];
  for (DWORD waited = 0; waited <= kAnswerWaitMs; waited += kPollMs) {
    if (ResolvedNeighbour(destination, found)) {
      for (int b = 0; b < 6; ++b) static_cast<BYTE*>(mac)[b] = found[b];
      *length = 6;
      return NO_ERROR;
    }
    ::Sleep(kPollMs);
  }
  return ERROR_BAD_NET_NAME;
}
