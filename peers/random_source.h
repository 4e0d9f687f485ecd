// Where keys, exponents and counters start come from. The program hands in the system's
// cryptographic source (system_random_source.h); tests hand in one they can repeat.
#pragma once
#include <cstddef>
#include <cstdint>

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Fills `count` bytes; false when the source could not give them (nothing may then be keyed).
  virtual bool Fill(uint8_t* bytes, size_t count) = 0;
};

// A uniform value in [low, high] (high - low below 2^32), by rejection so no value is favoured.
bool DrawInRange(RandomSource& source, uint64_t low, uint64_t high, uint64_t* value);
