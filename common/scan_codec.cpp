#include "common/scan_codec.h"

#include <cstring>

namespace scan_messages {

namespace {

uint8_t* PutBe16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value >> 8);
  at[1] = static_cast<uint8_t>(value);
  return at + 2;
}

// UTF-16 little-endian units of `text` cut to `room`, then NULs up to `units` in all.
uint8_t* PutText(uint8_t* at, std::u16string_view text, size_t room, size_t units) {
  if (text.size() > room) text = text.substr(0, room);
  size_t unit = 0;
  for (; unit < text.size(); ++unit) {
    // A NUL inside the view ends the text as it would on the wire.
    if (text[unit] == u'\0') break;
    at[0] = static_cast<uint8_t>(text[unit]);
    at[1] = static_cast<uint8_t>(text[unit] >> 8);
    at += 2;
  }
  std::memset(at, 0, 2 * (units - unit));
  return at + 2 * (units - unit);
}

uint16_t ReadBe16(const uint8_t* at) { return static_cast<uint16_t>(at[0] << 8 | at[1]); }

// Reads UTF-16LE units from `at` up to a NUL or the end; returns the offset after the NUL (or the
// end). Units past `keep` are read over but not kept.
size_t ReadUtf16LeText(const uint8_t* payload, size_t size, size_t at, size_t keep, std::u16string* text) {
  text->clear();
  while (at + 1 < size) {
    const char16_t unit = static_cast<char16_t>(payload[at] | payload[at + 1] << 8);
    at += 2;
    if (unit == 0) return at;
    if (text->size() < keep) text->push_back(unit);
  }
  return size;
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

size_t EncodeEmptyMessage(uint8_t* out, MessageType type) {
  PutBe16(PutBe16(out, 2), type);
  return kHeaderBytes;
}

size_t TextUnits(std::u16string_view text, size_t room) {
  size_t units = 0;
  while (units < text.size() && units < room && text[units] != u'\0') ++units;
  return units;
}

}  // namespace

bool ReadHeader(const uint8_t* datagram, size_t size, Header* header) {
  if (datagram == nullptr || size < kHeaderBytes) return false;
  const uint16_t length = ReadBe16(datagram);
  if (length == 0 || length > kReceiveLimit) return false;
  header->length = length;
  header->type = ReadBe16(datagram + 2);
  return true;
}

size_t PayloadBytes(const Header& header, size_t size) {
  if (header.length < 2 || size < kHeaderBytes) return 0;
  const size_t counted = header.length - 2u;
  const size_t held = size - kHeaderBytes;
  return counted < held ? counted : held;
}

ReplyKind ChooseReply(const uint8_t* datagram, size_t size, const uint8_t sender[4], const uint8_t own[4]) {
  Header header;
  if (!ReadHeader(datagram, size, &header)) return ReplyKind::kNone;
  switch (header.type) {
    case kScanRequest:
      return std::memcmp(sender, own, 4) == 0 ? ReplyKind::kNone : ReplyKind::kScanReply;
    case kAliveQuery:
      return ReplyKind::kAliveReply;
    default:
      return ReplyKind::kNone;
  }
}

size_t EncodeScanReply(uint8_t* out, uint8_t osCode, std::u16string_view computerName,
                       std::u16string_view cpuName, std::u16string_view macText) {
  const size_t nameUnits = TextUnits(computerName, kComputerNameChars);
  const size_t cpuUnits = TextUnits(cpuName, kCpuNameChars);
  const size_t total = kHeaderBytes + 2 + 2 * (nameUnits + 1) + 2 * (cpuUnits + 1) + 2 * (kMacTextChars + 1);
  uint8_t* at = PutBe16(out, static_cast<uint16_t>(total - 2));
  at = PutBe16(at, kScanReply);
  at = PutBe16(at, osCode);
  at = PutText(at, computerName.substr(0, nameUnits), nameUnits, nameUnits + 1);
  at = PutText(at, cpuName.substr(0, cpuUnits), cpuUnits, cpuUnits + 1);
  PutText(at, macText, kMacTextChars, kMacTextChars + 1);
  return total;
}

size_t EncodeAliveReply(uint8_t* out) { return EncodeEmptyMessage(out, kAliveReply); }
size_t EncodeScanRequest(uint8_t* out) { return EncodeEmptyMessage(out, kScanRequest); }
size_t EncodeAliveQuery(uint8_t* out) { return EncodeEmptyMessage(out, kAliveQuery); }

bool DecodeScanReply(const uint8_t* payload, size_t payloadSize, ScanReplyFields* fields) {
  if (payload == nullptr || payloadSize < 2) return false;
  *fields = ScanReplyFields();
  fields->osTypeCode = static_cast<int16_t>(ReadBe16(payload));
  size_t at = ReadUtf16LeText(payload, payloadSize, 2, kPeerNameUnits, &fields->computerName);
  at = ReadUtf16LeText(payload, payloadSize, at, kPeerCpuUnits, &fields->cpuName);
  for (size_t i = 0; i < 6; ++i) {
    int digits[2] = {-1, -1};
    for (size_t half = 0; half < 2; ++half) {
      const size_t offset = at + 2 * (2 * i + half);
      if (offset + 1 < payloadSize) digits[half] = HexValue(static_cast<char16_t>(payload[offset] | payload[offset + 1] << 8));
    }
    fields->mac[i] = digits[0] < 0 || digits[1] < 0 ? 0 : static_cast<uint8_t>(digits[0] << 4 | digits[1]);
  }
  return true;
}

}  // namespace scan_messages
