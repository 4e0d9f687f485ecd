// The system's cryptographic random source: BCryptGenRandom, or RtlGenRandom where that fails.
#pragma once
#include "peers/random_source.h"

class SystemRandomSource : public RandomSource {
 public:
  bool Fill(uint8_t* bytes, size_t count) override;
};
