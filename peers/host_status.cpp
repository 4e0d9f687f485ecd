#include "peers/host_status.h"

void HostStatus::StartBooting(int host) {
  wolState[host] = kWolBooting;
  wolCountdown[host] = kWolBootTicks;
}

void HostStatus::ClearWol() {
  for (int host = 0; host < kHosts; ++host) {
    wolState[host] = kWolNone;
    wolCountdown[host] = 0;
  }
}

void HostStatus::UpdateLinks(const uint8_t tablePresent[kHosts], const uint8_t listPresent[kHosts],
                             const uint8_t alive[kHosts], int ownHost) {
  for (int host = 0; host < kHosts; ++host) {
    if (host == ownHost || !(tablePresent[host] || listPresent[host])) continue;
    linkUp[host] = alive[host] != 0;
    if (linkUp[host] && wolState[host] == kWolBooting) {
      wolState[host] = kWolOk;
      wolCountdown[host] = 0;
    }
  }
}

void HostStatus::StepWol() {
  for (int host = 0; host < kHosts; ++host) {
    if (wolState[host] == kWolNone || wolCountdown[host] <= 0) continue;
    if (--wolCountdown[host] == 0 && wolState[host] == kWolBooting) wolState[host] = kWolFailed;
  }
}
