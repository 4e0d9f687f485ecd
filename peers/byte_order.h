// Field access for the wire: 16- and 32-bit fields travel big-endian, the 64-bit values of the
// exchange messages little-endian. Byte by byte, so no alignment or host order is assumed.
#pragma once
#include <cstdint>

inline uint16_t ReadBe16(const uint8_t* at) { return static_cast<uint16_t>(at[0] << 8 | at[1]); }

inline void WriteBe16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value >> 8);
  at[1] = static_cast<uint8_t>(value);
}

inline uint32_t ReadBe32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) << 24 | static_cast<uint32_t>(at[1]) << 16 |
         static_cast<uint32_t>(at[2]) << 8 | at[3];
}

inline void WriteBe32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

inline uint16_t ReadLe16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

inline uint32_t ReadLe32(const uint8_t* at) {
  return static_cast<uint32_t>(at[3]) << 24 | static_cast<uint32_t>(at[2]) << 16 |
         static_cast<uint32_t>(at[1]) << 8 | at[0];
}

inline void WriteLe16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

inline void WriteLe32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

inline uint64_t ReadLe64(const uint8_t* at) {
  uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = value << 8 | at[i];
  return value;
}

inline void WriteLe64(uint8_t* at, uint64_t value) {
  for (int i = 0; i < 8; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}
