// The bytes of the scan family (ScanRequest, ScanReply, AliveQuery, AliveReply), the one codec both
// programs link: the framing rule both receivers apply, the service's choice of reply, the two
// replies' builders and the interactive program's reading of a ScanReply. Plain C++ over byte
// buffers, so that it builds without Windows too.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
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
constexpr size_t kRequestBytes = 4;
constexpr size_t kAliveReplyBytes = 4;

enum class ReplyKind { kNone, kScanReply, kAliveReply };

struct Header {
  uint16_t length = 0;
  uint16_t type = 0;
};

// The framing rule of both receivers: false for fewer than 4 bytes and for a length field of 0 or
// above 256. The datagram's size is never compared with its length field, so a 4-byte request
// whose length field says 256 passes.
bool ReadHeader(const uint8_t* datagram, size_t size, Header* header);

// The payload bytes (after the type field) that the length field counts and the datagram of
// `size` bytes really holds: a reader never goes past either.
size_t PayloadBytes(const Header& header, size_t size);

// Which reply a datagram received by the service earns. Dropped (kNone): what fails ReadHeader, a
// type other than ScanRequest and AliveQuery, and a ScanRequest whose sender is the own address.
ReplyKind ChooseReply(const uint8_t* datagram, size_t size, const uint8_t sender[4], const uint8_t own[4]);

// Builds a ScanReply into `out` (room for kMaxScanReplyBytes) and returns its size. Texts longer
// than their room are cut; the MAC text is cut to 12 units and padded with NULs, so every byte
// sent is one of these fields.
size_t EncodeScanReply(uint8_t* out, uint8_t osCode, std::u16string_view computerName,
                       std::u16string_view cpuName, std::u16string_view macText);

// 00 02 00 03.
size_t EncodeAliveReply(uint8_t* out);
// 00 02 00 00 and 00 02 00 02, as the interactive program sends them.
size_t EncodeScanRequest(uint8_t* out);
size_t EncodeAliveQuery(uint8_t* out);

// A ScanReply payload (the bytes after the type) read safely: each text ends at its NUL or at the
// end of the payload and is cut to its slot (255 and 63 units); the MAC text's digits that are
// missing or not hexadecimal give zero bytes. False when the payload cannot hold the OS code.
constexpr size_t kPeerNameUnits = 255;
constexpr size_t kPeerCpuUnits = 63;
struct ScanReplyFields {
  int16_t osTypeCode = 0;
  std::u16string computerName;
  std::u16string cpuName;
  uint8_t mac[6] = {};
};
bool DecodeScanReply(const uint8_t* payload, size_t payloadSize, ScanReplyFields* fields);

}  // namespace scan_messages
