#include "service/scan_messages.h"

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

size_t TextUnits(std::u16string_view text, size_t room) {
  size_t units = 0;
  while (units < text.size() && units < room && text[units] != u'\0') ++units;
  return units;
}

}  // namespace

bool ReadHeader(const uint8_t* datagram, size_t size, Header* header) {
  if (size < kHeaderBytes) return false;
  header->length = static_cast<uint16_t>(datagram[0] << 8 | datagram[1]);
  header->type = static_cast<uint16_t>(datagram[2] << 8 | datagram[3]);
  return true;
}

ReplyKind ChooseReply(const uint8_t* datagram, size_t size, const uint8_t sender[4], const uint8_t own[4]) {
  Header header;
  if (!ReadHeader(datagram, size, &header)) return ReplyKind::kNone;
  if (header.length == 0 || header.length > kReceiveLimit) return ReplyKind::kNone;
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

size_t EncodeAliveReply(uint8_t* out) {
  PutBe16(PutBe16(out, 2), kAliveReply);
  return kAliveReplyBytes;
}

}  // namespace scan_messages
