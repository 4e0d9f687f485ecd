#include "peers/lan_message.h"

#include <algorithm>

#include "peers/byte_order.h"
#include "peers/byte_reader.h"

namespace {

constexpr size_t kHeaderSize = 4;

LanDatagram BuildEmpty(uint16_t type) { return BuildLanMessage(type, nullptr, 0); }

LanDatagram BuildWithCodec(size_t (*encode)(uint8_t*)) {
  LanDatagram datagram(scan_messages::kRequestBytes);
  datagram.resize(encode(datagram.data()));
  return datagram;
}

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

LanDatagram BuildScanRequest() { return BuildWithCodec(scan_messages::EncodeScanRequest); }
LanDatagram BuildAliveQuery() { return BuildWithCodec(scan_messages::EncodeAliveQuery); }
LanDatagram BuildAliveReply() { return BuildWithCodec(scan_messages::EncodeAliveReply); }
LanDatagram BuildPasswordRequest() { return BuildEmpty(kPasswordRequest); }

LanDatagram BuildScanReply(uint8_t osCode, std::u16string_view computerName, std::u16string_view cpuName,
                           std::u16string_view macText) {
  LanDatagram datagram(scan_messages::kMaxScanReplyBytes);
  datagram.resize(scan_messages::EncodeScanReply(datagram.data(), osCode, computerName, cpuName, macText));
  return datagram;
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

bool ReadExchangeOffer(const uint8_t* payload, size_t size, ExchangeOfferValues* offer) {
  ByteReader read(payload, size);
  offer->mode = read.Be16();
  uint64_t* const targets[6] = {&offer->p[0], &offer->p[1], &offer->g[0], &offer->g[1], &offer->y_public[0], &offer->y_public[1]};
  for (uint64_t* target : targets) *target = read.Le64();
  return !read.Overrun();
}

bool ReadExchangeReply(const uint8_t* payload, size_t size, ExchangeReplyValues* reply) {
  ByteReader read(payload, size);
  reply->x_public[0] = read.Le64();
  reply->x_public[1] = read.Le64();
  return !read.Overrun();
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
  scan_messages::Header read;
  if (size > kLanReceiveBufferSize || !scan_messages::ReadHeader(datagram, size, &read)) return false;
  const uint16_t length = read.length;
  const uint16_t type = read.type;

  bool taken = false;
  if (receiver == LanReceiver::kService) {
    taken = type == kScanRequest || type == kAliveQuery;
  } else {
    taken = type == kScanReply || type == kAliveReply || (type >= kKmStatus && type <= kShowNumber);
  }
  if (!taken) return false;

  if (type > kAliveReply) {
    // L counts the type field itself, so an L of 1 is as malformed as 0.
    if (length < 2) return false;
    const bool secure = type == kKmStatus || type == kKmKey || type == kKmMouse;
    if (secure ? size != kKmSecurePacketSize : size < static_cast<size_t>(length) + 2) return false;
  }
  header->length = length;
  header->type = type;
  return true;
}
