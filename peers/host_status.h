// The My Network page's per-host link and Wake-on-LAN states, and their step at each refresh tick.
// A woken host is booting for 180 ticks; an alive reply makes it "WOL OK", running out "WOL failed";
// both stay until cleared.
#pragma once
#include <cstdint>

enum WolState : int32_t { kWolNone = 0, kWolBooting = 1, kWolOk = 2, kWolFailed = 3 };

inline constexpr int32_t kWolBootTicks = 180;

struct HostStatus {
  static constexpr int kHosts = 256;
  int32_t wolState[kHosts] = {};
  int32_t wolCountdown[kHosts] = {};
  bool linkUp[kHosts] = {};  // the page's link text: "Yes" when true, "No" otherwise

  // A wake-up sent: booting with the full countdown (again, when it was booting already).
  void StartBooting(int host);
  void ClearWol();
  // Link states: every host present in the peer table or in the list, other than ownHost, is up
  // exactly when its alive flag is set; a booting host seen alive is WOL OK with countdown 0.
  void UpdateLinks(const uint8_t tablePresent[kHosts], const uint8_t listPresent[kHosts], const uint8_t alive[kHosts],
                   int ownHost);
  // Countdowns of the hosts with a WOL state: a count above 0 goes down by one; a booting host
  // whose count thereby reaches 0 has failed.
  void StepWol();
};
