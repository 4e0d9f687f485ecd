#include "peers/random_source.h"

bool DrawInRange(RandomSource& source, uint64_t low, uint64_t high, uint64_t* value) {
  if (high < low || high - low > 0xFFFFFFFFull) return false;
  const uint64_t span = high - low + 1;
  // The largest multiple of span that 32 bits hold; draws at or above it are thrown back.
  const uint64_t limit = (uint64_t{1} << 32) / span * span;
  for (int attempt = 0; attempt < 64; ++attempt) {
    uint8_t bytes[4];
    if (!source.Fill(bytes, sizeof bytes)) return false;
    const uint64_t draw = uint64_t{bytes[0]} | uint64_t{bytes[1]} << 8 | uint64_t{bytes[2]} << 16 | uint64_t{bytes[3]} << 24;
    if (draw < limit) {
      *value = low + draw % span;
      return true;
    }
  }
  return false;
}
