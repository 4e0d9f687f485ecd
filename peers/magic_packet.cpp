#include "peers/magic_packet.h"

#include <cstring>

bool IsZeroMac(const uint8_t mac[6]) {
  for (int i = 0; i < 6; ++i) {
    if (mac[i]) return false;
  }
  return true;
}

bool BuildMagicPacket(const uint8_t mac[6], MagicPacket* packet) {
  if (IsZeroMac(mac)) return false;
  std::memset(packet->data(), 0xFF, 6);
  for (int copy = 0; copy < 16; ++copy) std::memcpy(packet->data() + 6 + 6 * copy, mac, 6);
  return true;
}
