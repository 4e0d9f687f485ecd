// The bytes of every UDP datagram the two programs exchange: the LanMessage framing (big-endian
// length L of what follows, big-endian type, payload), the builders of every message of the set and
// the drop rules both receivers apply before they look at a message. No sockets here. The scan
// family (types 0 to 3) is the service's own codec, common/scan_codec.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/scan_codec.h"

enum LanMessageType : uint16_t {
  kScanRequest = scan_messages::kScanRequest,
  kScanReply = scan_messages::kScanReply,
  kAliveQuery = scan_messages::kAliveQuery,
  kAliveReply = scan_messages::kAliveReply,
  kKmStatus = 6,
  kKmKey = 7,
  kKmMouse = 8,
  kPasswordRequest = 9,
  kPasswordDelivery = 10,
  kExchangeStart = 11,
  kExchangeOffer = 12,
  kExchangeReply = 13,
  kShowNumber = 14,
};

// Both receivers read one datagram at a time into a buffer of this size.
inline constexpr size_t kLanReceiveBufferSize = 256;
inline constexpr uint16_t kLanMaxLength = 256;
// Types 6 to 8 always travel as a 36-byte secure packet, whatever their L.
inline constexpr size_t kKmSecurePacketSize = 36;
inline constexpr size_t kKmBlockSize = 16;

// L of the fixed-size messages.
inline constexpr uint16_t kKmStatusLength = 4;
inline constexpr uint16_t kKmKeyLength = 8;
inline constexpr uint16_t kKmMouseLength = 12;
inline constexpr uint16_t kExchangeStartLength = 4;
inline constexpr uint16_t kExchangeOfferLength = 52;
inline constexpr uint16_t kExchangeReplyLength = 18;
inline constexpr uint16_t kPasswordDeliveryLength = 18;
inline constexpr uint16_t kShowNumberLength = 4;

// Exchange modes of ExchangeStart and ExchangeOffer.
inline constexpr uint16_t kExchangePairing = 0;
inline constexpr uint16_t kExchangeControl = 1;

// Mouse kinds of KmMouse.
enum KmMouseKind : uint16_t {
  kMouseMove = 0,
  kMouseLeftDown = 1,
  kMouseLeftUp = 2,
  kMouseRightDown = 3,
  kMouseRightUp = 4,
  kMouseWheel = 5,
};

// Key actions of KmKey.
enum KmKeyAction : uint16_t { kKeyDown = 0, kKeyUp = 1, kKeyReleaseAll = 2 };

using LanDatagram = std::vector<uint8_t>;

// A plain message: L = payload size + 2, datagram L + 2 bytes.
LanDatagram BuildLanMessage(uint16_t type, const uint8_t* payload, size_t payload_size);

LanDatagram BuildScanRequest();
LanDatagram BuildAliveQuery();
LanDatagram BuildAliveReply();
LanDatagram BuildPasswordRequest();

// The service's ScanReply (scan_messages::EncodeScanReply) as a datagram: the computer name cut
// to 31 units, the CPU name to 63, the MAC text to 12 units padded with NULs.
LanDatagram BuildScanReply(uint8_t osCode, std::u16string_view computerName, std::u16string_view cpuName,
                           std::u16string_view macText);

LanDatagram BuildPasswordDelivery(const uint8_t encrypted_key[kKmBlockSize]);
LanDatagram BuildExchangeStart(uint16_t mode);
LanDatagram BuildShowNumber(uint16_t slot_number);

// The six values of an offer and the two of a reply, each below 2^31 on the wire.
struct ExchangeOfferValues {
  uint16_t mode = 0;
  uint64_t p[2] = {};
  uint64_t g[2] = {};
  uint64_t y_public[2] = {};
};
struct ExchangeReplyValues {
  uint64_t x_public[2] = {};
};
LanDatagram BuildExchangeOffer(const ExchangeOfferValues& offer);
LanDatagram BuildExchangeReply(const ExchangeReplyValues& reply);
// Read from the payload (the bytes after the type) of `size` bytes; false, and the values zero
// where the payload ends, when it is shorter than an offer's 50 or a reply's 16 bytes.
bool ReadExchangeOffer(const uint8_t* payload, size_t size, ExchangeOfferValues* offer);
bool ReadExchangeReply(const uint8_t* payload, size_t size, ExchangeReplyValues* reply);

// The plain 16-byte payload blocks of the secure messages (bytes that carry nothing are zero).
struct KmBlock {
  uint8_t bytes[kKmBlockSize] = {};
};
KmBlock MakeKmStatusBlock(uint16_t status);
KmBlock MakeKmKeyBlock(uint16_t action, uint16_t scan_code, uint16_t flags, uint16_t sequence);
KmBlock MakeKmMouseBlock(int32_t dx, int32_t dy, uint16_t kind, uint16_t sequence);

// Which program receives: the service takes types 0 and 2 on the ScanPort, the interactive
// program 1, 3 and 6 to 14 on the KmPort.
enum class LanReceiver { kService, kInteractive };

// L and type of a datagram that passed the drop rules.
using LanHeader = scan_messages::Header;

// The drop rules shared by both receivers: more than 256 bytes, fewer than 4, L of 0 or above 256
// (scan_messages::ReadHeader), and a type the receiver does not take are dropped. The scan family
// is never held against its length field, as the service answers it; its readers stay inside the
// datagram (scan_messages::PayloadBytes). The Swivo family is held against it before any field
// past the header is read: L of 1 is dropped, exactly 36 bytes for types 6 to 8, at least L + 2
// bytes for every other type. True when the datagram is taken.
bool PassesLanDropRules(const uint8_t* datagram, size_t size, LanReceiver receiver, LanHeader* header);

using scan_messages::DecodeScanReply;
using scan_messages::kPeerCpuUnits;
using scan_messages::kPeerNameUnits;
using scan_messages::ScanReplyFields;
