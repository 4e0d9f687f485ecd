// Hex text to bytes and back, for writing expected datagrams and vectors readably.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

inline std::vector<uint8_t> HexBytes(const std::string& hex) {
  std::vector<uint8_t> bytes;
  int high = -1;
  for (char c : hex) {
    int value = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (value < 0) continue;  // spaces group the bytes
    if (high < 0) {
      high = value;
    } else {
      bytes.push_back(static_cast<uint8_t>(high << 4 | value));
      high = -1;
    }
  }
  return bytes;
}

inline std::string BytesHex(const uint8_t* bytes, size_t size) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (size_t i = 0; i < size; ++i) {
    hex.push_back(digits[bytes[i] >> 4]);
    hex.push_back(digits[bytes[i] & 15]);
  }
  return hex;
}
