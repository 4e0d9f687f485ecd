// The scan results by a host's fourth octet: presence, computer name, CPU name, OS code, MAC and
// the alive mark. Written by the UDP service thread; the My Network page reads it.
#pragma once
#include <cstdint>

struct PeerInfoTable {
  static constexpr int kHosts = 256;
  uint8_t present[kHosts];
  wchar_t name[kHosts][256];
  wchar_t cpu[kHosts][64];
  int16_t osCode[kHosts];
  uint8_t mac[kHosts][6];
  uint8_t alive[kHosts];
};
