#include "peers/alive_probe.h"

#include <cstring>

#include "peers/lan_sender.h"

namespace {
constexpr DWORD kPassPeriodMs = 2000;
constexpr DWORD kReplyWaitMs = 1000;
constexpr DWORD kDonePollMs = 200;
constexpr DWORD kStopWaitMs = 10000;

uint8_t ReadDone(AliveProbeRecord* record) {
  std::lock_guard<std::mutex> hold(record->lock);
  return record->done;
}

// False when the thread must end.
bool SleepUnlessStopped(AliveProbeRecord* record, DWORD ms) {
  if (record->stop) return false;
  ::Sleep(ms);
  return !record->stop;
}

void ProbePass(AliveProbeRecord* record) {
  if (record->peerTable) std::memset(record->peerTable->alive, 0, sizeof record->peerTable->alive);
  for (int host = 0; host < 256 && !record->stop; ++host) {
    uint32_t port;
    uint8_t subnet;
    bool listed;
    {
      std::lock_guard<std::mutex> hold(record->lock);
      port = record->port;
      subnet = record->subnet;
      listed = record->present[host] != 0;
    }
    if (listed) SendLanDatagram({PrivatePeerAddress(subnet, static_cast<uint8_t>(host)), static_cast<uint16_t>(port)}, BuildAliveQuery());
  }
}
}  // namespace

DWORD WINAPI AliveProbeThread(void* parameter) {
  auto* record = static_cast<AliveProbeRecord*>(parameter);
  while (!record->stop) {
    if (::WaitForSingleObject(record->event, kPassPeriodMs) != WAIT_TIMEOUT) break;
    if (ReadDone(record) == 1) continue;
    ProbePass(record);
    if (!SleepUnlessStopped(record, kReplyWaitMs)) break;
    {
      std::lock_guard<std::mutex> hold(record->lock);
      record->done = 1;
    }
    while (ReadDone(record) == 1) {
      if (!SleepUnlessStopped(record, kDonePollMs)) return 0;
    }
  }
  return 0;
}

bool StartAliveProbe(AliveProbeRecord* record) {
  record->event = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!record->event) return false;
  record->thread = ::CreateThread(nullptr, 8 * 1024, AliveProbeThread, record, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  return record->thread != nullptr;
}

void StopAliveProbe(AliveProbeRecord* record) {
  record->stop = true;
  if (record->event) ::SetEvent(record->event);
  if (record->thread) {
    ::WaitForSingleObject(record->thread, kStopWaitMs);
    ::CloseHandle(record->thread);
  }
  if (record->event) ::CloseHandle(record->event);
  record->thread = nullptr;
  record->event = nullptr;
}
