// A reader over (pointer, length) for the fields of a received message: a read past the end
// yields zeros and sets one sticky flag, which the caller checks once when it has read all.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "peers/byte_order.h"

class ByteReader {
 public:
  ByteReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(bytes ? size : 0) {}

  uint16_t Be16() {
    const uint8_t* at = Take(2);
    return at ? ReadBe16(at) : 0;
  }
  uint8_t U8() {
    const uint8_t* at = Take(1);
    return at ? at[0] : 0;
  }
  uint16_t Le16() {
    const uint8_t* at = Take(2);
    return at ? ReadLe16(at) : 0;
  }
  uint32_t Le32() {
    const uint8_t* at = Take(4);
    return at ? ReadLe32(at) : 0;
  }
  // Copies count bytes (zeros after an overrun).
  void Bytes(uint8_t* to, size_t count) {
    const uint8_t* at = Take(count);
    if (at) {
      std::memcpy(to, at, count);
    } else {
      std::memset(to, 0, count);
    }
  }
  void Skip(size_t count) { Take(count); }
  size_t Offset() const { return at_; }
  size_t Remaining() const { return overrun_ ? 0 : size_ - at_; }
  uint64_t Le64() {
    const uint8_t* at = Take(8);
    return at ? ReadLe64(at) : 0;
  }
  // True once any read went past the end.
  bool Overrun() const { return overrun_; }

 private:
  const uint8_t* Take(size_t count) {
    if (overrun_ || size_ - at_ < count) {
      overrun_ = true;
      return nullptr;
    }
    const uint8_t* taken = bytes_ + at_;
    at_ += count;
    return taken;
  }

  const uint8_t* bytes_;
  size_t size_;
  size_t at_ = 0;
  bool overrun_ = false;
};
