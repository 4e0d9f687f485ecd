#include "peers/lan_message.h"

#include <algorithm>

#include "peers/byte_order.h"

namespace {

constexpr size_t kHeaderSize = 4;
constexpr size_t kMacTextUnits = 12;
constexpr size_t kScanReplyMaxLength = 222;

void AppendUtf16Le(std::vector<uint8_t>& out, std::u16string_view text) {
  for (char16_t unit : text) {
    out.push_back(static_cast<uint8_t>(unit));
    out.push_back(static_cast<uint8_t>(unit >> 8));
  }
  out.push_back(0);
  out.push_back(0);
}

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

LanDatagram BuildEmpty(uint16_t type) { return BuildLanMessage(type, nullptr, 0); }

LanDatagram BuildWithBe16(uint16_t type, uint16_t value) {
  uint8_t payload[2];
  WriteBe16(payload, value);
  return BuildLanMessage(type, payload, sizeof payload);
}

}  // namespace

LanDatagram BuildLanMessage(uint16_t type, const uint8_t* payload, size_t payload_size) {
  LanDatagram datagram(kHeaderSize + payload_size);
  WriteBe16(&datagram[0], static_cast<uint16_t>(payload_size + 2));
  WriteBe16(&datagram[2], type);
  if (payload_size > 0) std::copy(payload, payload + payload_size, datagram.begin() + kHeaderSize);
  return datagram;
}

LanDatagram BuildScanRequest() { return BuildEmpty(kScanRequest); }
LanDatagram BuildAliveQuery() { return BuildEmpty(kAliveQuery); }
LanDatagram BuildAliveReply() { return BuildEmpty(kAliveReply); }
LanDatagram BuildPasswordRequest() { return BuildEmpty(kPasswordRequest); }

LanDatagram BuildScanReply(int16_t os_type_code, std::u16string_view computer_name,
                           std::u16string_view cpu_name, std::u16string_view mac_text) {
  cpu_name = cpu_name.substr(0, kPeerCpuUnits);
  // L = type 2 + code 2 + name bytes + CPU bytes + MAC 26.
  const size_t text_room = kScanReplyMaxLength - 30;
  const size_t cpu_bytes = 2 * (cpu_name.size() + 1);
  computer_name = computer_name.substr(0, (text_room - cpu_bytes) / 2 - 1);

  std::vector<uint8_t> payload(2);
  WriteBe16(payload.data(), static_cast<uint16_t>(os_type_code));
  AppendUtf16Le(payload, computer_name);
  AppendUtf16Le(payload, cpu_name);
  std::u16string mac(mac_text.substr(0, kMacTextUnits));
  mac.resize(kMacTextUnits, u'0');
  AppendUtf16Le(payload, mac);
  return BuildLanMessage(kScanReply, payload.data(), payload.size());
}

LanDatagram BuildPasswordDelivery(const uint8_t encrypted_key[kKmBlockSize]) {
  return BuildLanMessage(kPasswordDelivery, encrypted_key, kKmBlockSize);
}

LanDatagram BuildExchangeStart(uint16_t mode) { return BuildWithBe16(kExchangeStart, mode); }
LanDatagram BuildShowNumber(uint16_t slot_number) { return BuildWithBe16(kShowNumber, slot_number); }

LanDatagram BuildExchangeOffer(const ExchangeOfferValues& offer) {
  uint8_t payload[kExchangeOfferLength - 2];
  WriteBe16(payload, offer.mode);
  const uint64_t values[6] = {offer.p[0], offer.p[1], offer.g[0], offer.g[1], offer.y_public[0], offer.y_public[1]};
  for (int i = 0; i < 6; ++i) WriteLe64(payload + 2 + 8 * i, values[i]);
  return BuildLanMessage(kExchangeOffer, payload, sizeof payload);
}

LanDatagram BuildExchangeReply(const ExchangeReplyValues& reply) {
  uint8_t payload[kExchangeReplyLength - 2];
  WriteLe64(payload, reply.x_public[0]);
  WriteLe64(payload + 8, reply.x_public[1]);
  return BuildLanMessage(kExchangeReply, payload, sizeof payload);
}

ExchangeOfferValues ReadExchangeOffer(const uint8_t* payload) {
  ExchangeOfferValues offer;
  offer.mode = ReadBe16(payload);
  uint64_t* const targets[6] = {&offer.p[0], &offer.p[1], &offer.g[0], &offer.g[1], &offer.y_public[0], &offer.y_public[1]};
  for (int i = 0; i < 6; ++i) *targets[i] = ReadLe64(payload + 2 + 8 * i);
  return offer;
}

ExchangeReplyValues ReadExchangeReply(const uint8_t* payload) {
  ExchangeReplyValues reply;
  reply.x_public[0] = ReadLe64(payload);
  reply.x_public[1] = ReadLe64(payload + 8);
  return reply;
}

KmBlock MakeKmStatusBlock(uint16_t status) {
  KmBlock block;
  WriteBe16(block.bytes, status);
  return block;
}

KmBlock MakeKmKeyBlock(uint16_t action, uint16_t scan_code, uint16_t flags, uint16_t sequence) {
  KmBlock block;
  WriteBe16(block.bytes, action);
  WriteBe16(block.bytes + 2, scan_code);
  WriteBe16(block.bytes + 4, flags);
  WriteBe16(block.bytes + 6, sequence);
  return block;
}

KmBlock MakeKmMouseBlock(int32_t dx, int32_t dy, uint16_t kind, uint16_t sequence) {
  KmBlock block;
  WriteBe32(block.bytes, static_cast<uint32_t>(dx));
  WriteBe32(block.bytes + 4, static_cast<uint32_t>(dy));
  WriteBe16(block.bytes + 8, kind);
  WriteBe16(block.bytes + 10, sequence);
  return block;
}

bool PassesLanDropRules(const uint8_t* datagram, size_t size, LanReceiver receiver, LanHeader* header) {
  if (datagram == nullptr || size > kLanReceiveBufferSize || size < kHeaderSize) return false;
  const uint16_t length = ReadBe16(datagram);
  const uint16_t type = ReadBe16(datagram + 2);
  // L counts the type field itself, so an L of 1 is as malformed as 0.
  if (length < 2 || length > kLanMaxLength) return false;

  bool taken = false;
  if (receiver == LanReceiver::kService) {
    taken = type == kScanRequest || type == kAliveQuery;
  } else {
    taken = type == kScanReply || type == kAliveReply || (type >= kKmStatus && type <= kShowNumber);
  }
  if (!taken) return false;

  const bool secure = type == kKmStatus || type == kKmKey || type == kKmMouse;
  if (secure ? size != kKmSecurePacketSize : size < static_cast<size_t>(length) + 2) return false;
  header->length = length;
  header->type = type;
  return true;
}

bool DecodeScanReply(const uint8_t* payload, size_t payload_size, ScanReplyFields* fields) {
  if (payload_size < 2) return false;
  *fields = ScanReplyFields();
  fields->os_type_code = static_cast<int16_t>(ReadBe16(payload));
  size_t at = ReadUtf16LeText(payload, payload_size, 2, kPeerNameUnits, &fields->computer_name);
  at = ReadUtf16LeText(payload, payload_size, at, kPeerCpuUnits, &fields->cpu_name);
  for (size_t i = 0; i < 6; ++i) {
    int digits[2] = {-1, -1};
    for (size_t half = 0; half < 2; ++half) {
      const size_t offset = at + 2 * (2 * i + half);
      if (offset + 1 < payload_size) digits[half] = HexValue(static_cast<char16_t>(payload[offset] | payload[offset + 1] << 8));
    }
    fields->mac[i] = digits[0] < 0 || digits[1] < 0 ? 0 : static_cast<uint8_t>(digits[0] << 4 | digits[1]);
  }
  return true;
}
