// The bytes of the scan and alive messages the responder answers: reading a request's header with
// the receivers' drop rules, and building the two replies. Plain C++ over byte buffers, so that it
// builds without Windows too.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace scan_messages {

enum MessageType : uint16_t { kScanRequest = 0, kScanReply = 1, kAliveQuery = 2, kAliveReply = 3 };

// The receive buffer holds one datagram of at most this many bytes, and no length field above it
// is accepted.
constexpr size_t kReceiveLimit = 256;
constexpr size_t kHeaderBytes = 4;

// Room of the reply's texts, without their terminating NUL.
constexpr size_t kComputerNameChars = 31;
constexpr size_t kCpuNameChars = 63;
constexpr size_t kMacTextChars = 12;
// 4 header bytes, BE16 OS code, both names with their NULs, 13 units of MAC text.
constexpr size_t kMaxScanReplyBytes =
    kHeaderBytes + 2 + 2 * (kComputerNameChars + 1) + 2 * (kCpuNameChars + 1) + 2 * (kMacTextChars + 1);
constexpr size_t kAliveReplyBytes = 4;

enum class ReplyKind { kNone, kScanReply, kAliveReply };

struct Header {
  uint16_t length = 0;
  uint16_t type = 0;
};

// False for fewer than 4 bytes.
bool ReadHeader(const uint8_t* datagram, size_t size, Header* header);

// Which reply a received datagram earns. Dropped (kNone): fewer than 4 bytes, a length field of 0
// or above 256, a type other than ScanRequest and AliveQuery, and a ScanRequest whose sender is the
// own address. The datagram's size is never compared with its length field.
ReplyKind ChooseReply(const uint8_t* datagram, size_t size, const uint8_t sender[4], const uint8_t own[4]);

// Builds a ScanReply into `out` (room for kMaxScanReplyBytes) and returns its size. Texts longer
// than their room are cut; the MAC text is cut to 12 units and padded with NULs, so every byte
// sent is one of these fields.
size_t EncodeScanReply(uint8_t* out, uint8_t osCode, std::u16string_view computerName,
                       std::u16string_view cpuName, std::u16string_view macText);

// 00 02 00 03.
size_t EncodeAliveReply(uint8_t* out);

}  // namespace scan_messages
