// The interactive program's receiver rules: which LanMessage datagrams arriving on the KmPort are
// taken, and what of each the UDP service acts on. Pure: no sockets, no windows.
#pragma once
#include <cstddef>
#include <cstdint>

#include "peers/km_key_table.h"
#include "peers/lan_message.h"
#include "peers/swivo_exchange.h"

enum KmAction : int {
  kActionNone = 0,
  kActionScanReply = 1,
  kActionAliveReply = 2,
  kActionKmStatus = 3,
  kActionKmKey = 4,
  kActionKmMouse = 5,
  kActionPasswordRequest = 6,
  kActionPasswordDelivery = 7,
  kActionExchangeStart = 8,
  kActionExchangeOffer = 9,
  kActionExchangeReply = 10,
  kActionShowNumber = 11,
};

// The parse result of one datagram, plus the remembered exchange mode, which belongs to the
// receiving thread: 0 when it starts, changed only by ExchangeStart and ExchangeOffer, and kept
// from one datagram to the next.
struct KmParsedMessage {
  int action = kActionNone;
  uint8_t source[4] = {};
  uint16_t status = 0;
  uint8_t key_action = 0;
  uint16_t scan_code = 0;
  uint8_t key_flags = 0;
  int32_t dx = 0;
  int32_t dy = 0;
  uint16_t mouse_kind = 0;
  uint16_t sequence = 0;  // KmKey and KmMouse: the sender's counter
  uint16_t show_number = 0;
  const uint8_t* payload = nullptr;  // into the receive buffer: ScanReply, PasswordDelivery, ShowNumber
  size_t payload_size = 0;           // L - 2; for a ScanReply no more than the datagram holds
  ExchangeOfferValues offer;
  ExchangeReplyValues reply;
  uint16_t exchange_mode = 0;
};

// The drop rules, then the per-type checks. `datagram` is the receive buffer: the payload block of
// a secure packet is decrypted there in place. `source` is the sender's IPv4 address, first octet
// first. False means drop; a parse result with action 0 means nothing to do.
bool ParseKmPacket(uint8_t* datagram, size_t size, const uint8_t source[4], KmParsedMessage* parsed,
                   bool pairing_allowed, const KmKeyTable& keys, const SessionValues& responder_key);

// The secure packet check: the sender's third octet must be the key table's subnet, its fourth
// octet must hold a key in the table's snapshot, and the token block must decrypt under the
// receiver's session key to that key. Decrypts the payload block in place.
bool VerifyKmToken(const KmKeyTable& keys, uint8_t third, uint8_t fourth, const uint8_t token_block[kKmBlockSize],
                   const SessionValues& responder_key, uint8_t payload_block[kKmBlockSize]);
