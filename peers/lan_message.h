// The bytes of every UDP datagram the two programs exchange: the LanMessage framing (big-endian
// length L of what follows, big-endian type, payload), the builders of every message of the set and
// the drop rules both receivers apply before they look at a message. No sockets here.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum LanMessageType : uint16_t {
  kScanRequest = 0,
  kScanReply = 1,
  kAliveQuery = 2,
  kAliveReply = 3,
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

// Computer name and CPU name travel as UTF-16LE with their NULs, the MAC as 12 hex digits and a
// NUL. The CPU name is cut to 63 units and the computer name to what then keeps L at most 222,
// so that both fit the receiver's slots.
LanDatagram BuildScanReply(int16_t os_type_code, std::u16string_view computer_name,
                           std::u16string_view cpu_name, std::u16string_view mac_text);

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
ExchangeOfferValues ReadExchangeOffer(const uint8_t* payload);  // the 50 bytes after the type
ExchangeReplyValues ReadExchangeReply(const uint8_t* payload);  // the 16 bytes after the type

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
struct LanHeader {
  uint16_t length = 0;
  uint16_t type = 0;
};

// The drop rules shared by both receivers: more than 256 bytes, fewer than 4, L of 0 or 1 or above
// 256, and a type the receiver does not take are dropped. The datagram is also held against its
// length field before any field past the header is read: exactly 36 bytes for types 6 to 8, at
// least L + 2 bytes for every other type. True when the datagram is taken.
bool PassesLanDropRules(const uint8_t* datagram, size_t size, LanReceiver receiver, LanHeader* header);

// A ScanReply payload (the L - 2 bytes after the type) read safely: each text ends at its NUL or
// at the end of the payload and is cut to its slot (255 and 63 units); the MAC text's digits that
// are missing or not hexadecimal give zero bytes. False when the payload cannot hold the OS code.
struct ScanReplyFields {
  int16_t os_type_code = 0;
  std::u16string computer_name;
  std::u16string cpu_name;
  uint8_t mac[6] = {};
};
inline constexpr size_t kPeerNameUnits = 255;
inline constexpr size_t kPeerCpuUnits = 63;
bool DecodeScanReply(const uint8_t* payload, size_t payload_size, ScanReplyFields* fields);
