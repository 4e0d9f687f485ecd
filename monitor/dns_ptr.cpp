#include "monitor/dns_ptr.h"

#include <cstdio>
#include <cstring>

#include "peers/byte_order.h"
#include "peers/byte_reader.h"

namespace {
constexpr size_t kHeader = 12;
constexpr uint16_t kTypePtr = 12;
constexpr uint16_t kClassIn = 1;
constexpr size_t kMaxReversedText = 31;
constexpr int kMaxPointers = 64;  // more than any honest name needs; also ends loops
}  // namespace

bool DnsEncodeReverseName(const char* reversedText, uint8_t* out, size_t capacity, size_t* length) {
  size_t textLength = std::strlen(reversedText);
  if (textLength == 0 || textLength > kMaxReversedText) return false;
  std::string dotted = std::string(reversedText) + ".in-addr.arpa.";
  size_t at = 0, labelStart = 0;
  for (size_t i = 0; i < dotted.size(); ++i) {
    if (dotted[i] != '.') continue;
    size_t label = i - labelStart;
    if (label == 0 || label > 63 || at + 1 + label > capacity) return false;
    out[at++] = static_cast<uint8_t>(label);
    std::memcpy(out + at, dotted.data() + labelStart, label);
    at += label;
    labelStart = i + 1;
  }
  if (at + 1 > capacity) return false;
  out[at++] = 0;
  *length = at;
  return true;
}

size_t BuildPtrQuery(uint16_t id, const char* reversedText, uint8_t* buffer, size_t capacity) {
  if (capacity < kHeader + 4) return 0;
  std::memset(buffer, 0, kHeader);
  WriteBe16(buffer, id);
  buffer[2] = 0x01;  // recursion desired
  WriteBe16(buffer + 4, 1);
  size_t nameLength = 0;
  if (!DnsEncodeReverseName(reversedText, buffer + kHeader, capacity - kHeader - 4, &nameLength)) return 0;
  WriteBe16(buffer + kHeader + nameLength, kTypePtr);
  WriteBe16(buffer + kHeader + nameLength + 2, kClassIn);
  return kHeader + nameLength + 4;
}

bool DnsDecodeName(const uint8_t* reply, size_t length, size_t offset, std::string* name, size_t* after) {
  std::string decoded;
  size_t at = offset;
  size_t end = 0;
  bool jumped = false;
  for (int pointers = 0;;) {
    if (at >= length) return false;
    uint8_t label = reply[at];
    if (label == 0) {
      if (!jumped) end = at + 1;
      break;
    }
    if (label >= 192) {
      if (at + 1 >= length || ++pointers > kMaxPointers) return false;
      if (!jumped) end = at + 2;
      jumped = true;
      at = static_cast<size_t>(label & 0x3F) << 8 | reply[at + 1];
      continue;
    }
    if (label > 63 || at + 1 + label > length) return false;  // 64-191 are no label lengths
    if (!decoded.empty()) decoded += '.';
    decoded.append(reinterpret_cast<const char*>(reply + at + 1), label);
    if (decoded.size() > kDnsMaxName) return false;
    at += 1 + label;
  }
  *name = decoded;
  *after = end;
  return true;
}

PtrReply ReadPtrReply(const uint8_t* reply, size_t length, uint16_t id, std::string* name) {
  ByteReader header(reply, length);
  uint16_t replyId = header.Be16();
  uint16_t flags = header.Be16();
  uint16_t questions = header.Be16();
  uint16_t answers = header.Be16();
  if (header.Overrun() || replyId != id || !(flags & 0x8000)) return PtrReply::kIgnored;
  if (answers == 0) return PtrReply::kNoName;
  size_t at = kHeader;
  std::string skipped;
  for (uint16_t q = 0; q < questions; ++q) {
    if (!DnsDecodeName(reply, length, at, &skipped, &at) || at + 4 > length) return PtrReply::kNoName;
    at += 4;
  }
  if (!DnsDecodeName(reply, length, at, &skipped, &at) || at + 10 > length) return PtrReply::kNoName;
  uint16_t type = ReadBe16(reply + at);
  uint16_t dataLength = ReadBe16(reply + at + 8);
  at += 10;
  if (type != kTypePtr || at + dataLength > length) return PtrReply::kNoName;
  std::string found;
  // The name is read within the whole reply (its pointers may lead back), never past it.
  if (!DnsDecodeName(reply, length, at, &found, &at) || found.empty()) return PtrReply::kNoName;
  *name = found;
  return PtrReply::kName;
}

std::string ReversedAddressText(uint32_t address) {
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", address & 0xFF, address >> 8 & 0xFF, address >> 16 & 0xFF,
                address >> 24);
  return text;
}
