// A random source for tests that repeats itself from a seed (splitmix64), and one that fails.
#pragma once
#include "peers/random_source.h"

class SeededRandomSource : public RandomSource {
 public:
  explicit SeededRandomSource(uint64_t seed) : state_(seed) {}
  bool Fill(uint8_t* bytes, size_t count) override {
    for (size_t i = 0; i < count; ++i) {
      if (i % 8 == 0) word_ = Next();
      bytes[i] = static_cast<uint8_t>(word_ >> (8 * (i % 8)));
    }
    return true;
  }

 private:
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  uint64_t state_;
  uint64_t word_ = 0;
};

class FailingRandomSource : public RandomSource {
 public:
  bool Fill(uint8_t*, size_t) override { return false; }
};
