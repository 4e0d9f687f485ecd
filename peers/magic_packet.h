// The Wake-on-LAN magic packet: 6 bytes 0xFF, then the computer's MAC 16 times.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kMagicPacketSize = 102;
inline constexpr uint16_t kWakeOnLanPort = 7;

using MagicPacket = std::array<uint8_t, kMagicPacketSize>;

// False for a MAC of all zeros: such a packet wakes nothing and only says that the MAC is unknown.
bool BuildMagicPacket(const uint8_t mac[6], MagicPacket* packet);
bool IsZeroMac(const uint8_t mac[6]);
