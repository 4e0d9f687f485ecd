#include "peers/km_packet_parser.h"

#include <cstring>

#include "common/secure_clear.h"
#include "peers/byte_order.h"
#include "peers/km_secure_packet.h"

namespace {

constexpr size_t kHeaderSize = 4;

// Pairing messages are taken while a control exchange is under way or the pairing window is open.
bool ExchangeMayProceed(const KmParsedMessage& parsed, bool pairing_allowed) {
  return parsed.exchange_mode != kExchangePairing || pairing_allowed;
}

bool ParseSecure(uint8_t* datagram, const LanHeader& header, KmParsedMessage* parsed, const KmKeyTable& keys,
                 const SessionValues& responder_key) {
  if (!VerifyKmToken(keys, parsed->source[2], parsed->source[3], datagram + kHeaderSize + kKmBlockSize,
                     responder_key, datagram + kHeaderSize)) {
    return false;
  }
  const uint8_t* block = datagram + kHeaderSize;
  switch (header.type) {
    case kKmStatus:
      if (header.length != kKmStatusLength) return false;
      parsed->action = kActionKmStatus;
      parsed->status = ReadBe16(block);
      return true;
    case kKmKey:
      if (header.length != kKmKeyLength) return false;
      parsed->action = kActionKmKey;
      parsed->key_action = block[1];
      parsed->scan_code = ReadBe16(block + 2);
      parsed->key_flags = block[5];
      parsed->sequence = ReadBe16(block + 6);
      return true;
    default:
      if (header.length != kKmMouseLength) return false;
      parsed->action = kActionKmMouse;
      parsed->dx = static_cast<int32_t>(ReadBe32(block));
      parsed->dy = static_cast<int32_t>(ReadBe32(block + 4));
      parsed->mouse_kind = ReadBe16(block + 8);
      parsed->sequence = ReadBe16(block + 10);
      return true;
  }
}

}  // namespace

bool VerifyKmToken(const KmKeyTable& keys, uint8_t third, uint8_t fourth, const uint8_t token_block[kKmBlockSize],
                   const SessionValues& responder_key, uint8_t payload_block[kKmBlockSize]) {
  if (third != keys.Subnet()) return false;
  uint8_t pairing_key[kKmBlockSize];
  if (!keys.SnapshotKey(fourth, pairing_key)) return false;
  const bool sound = OpenKmSecureBlocks(payload_block, token_block, SessionKeyOf(responder_key), pairing_key);
  SecureClear(pairing_key, sizeof pairing_key);
  return sound;
}

bool ParseKmPacket(uint8_t* datagram, size_t size, const uint8_t source[4], KmParsedMessage* parsed,
                   bool pairing_allowed, const KmKeyTable& keys, const SessionValues& responder_key) {
  const uint16_t remembered_mode = parsed->exchange_mode;
  *parsed = KmParsedMessage();
  parsed->exchange_mode = remembered_mode;
  std::memcpy(parsed->source, source, sizeof parsed->source);

  LanHeader header;
  if (!PassesLanDropRules(datagram, size, LanReceiver::kInteractive, &header)) return false;
  const uint8_t* payload = datagram + kHeaderSize;
  const size_t payload_size = header.length - 2u;

  switch (header.type) {
    case kScanReply: {
      // Not held against L: what L counts and the datagram holds, so the texts stay inside both.
      const size_t held = scan_messages::PayloadBytes(header, size);
      if (held < 2) return false;  // no room for the OS code
      parsed->action = kActionScanReply;
      parsed->payload = payload;
      parsed->payload_size = held;
      return true;
    }
    case kAliveReply:
      parsed->action = kActionAliveReply;
      return true;
    case kKmStatus:
    case kKmKey:
    case kKmMouse:
      return ParseSecure(datagram, header, parsed, keys, responder_key);
    case kPasswordRequest:
      if (!ExchangeMayProceed(*parsed, pairing_allowed)) return false;
      parsed->action = kActionPasswordRequest;
      return true;
    case kPasswordDelivery:
      if (payload_size < kKmBlockSize) return false;  // the key block must be inside the datagram
      parsed->action = kActionPasswordDelivery;
      parsed->payload = payload;
      parsed->payload_size = payload_size;
      return true;
    case kExchangeStart:
      if (header.length == kExchangeStartLength) parsed->exchange_mode = ReadBe16(payload);
      if (!ExchangeMayProceed(*parsed, pairing_allowed)) return false;
      parsed->action = kActionExchangeStart;
      return true;
    case kExchangeOffer: {
      ExchangeOfferValues offer;
      if (header.length != kExchangeOfferLength || !ReadExchangeOffer(payload, payload_size, &offer)) return false;
      if (!DhOfferIsSound(offer)) return false;
      parsed->exchange_mode = offer.mode;
      parsed->offer = offer;
      parsed->action = kActionExchangeOffer;
      return true;
    }
    case kExchangeReply:
      if (!ExchangeMayProceed(*parsed, pairing_allowed) || header.length != kExchangeReplyLength) return false;
      if (!ReadExchangeReply(payload, payload_size, &parsed->reply)) return false;
      parsed->action = kActionExchangeReply;
      return true;
    case kShowNumber:
      if (payload_size < 2) return false;
      parsed->action = kActionShowNumber;
      parsed->show_number = ReadBe16(payload);
      parsed->payload = payload;
      parsed->payload_size = payload_size;
      return true;
    default:
      return false;
  }
}
