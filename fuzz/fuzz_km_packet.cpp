// A run of datagrams into one receiving thread of the interactive program: the parser with its
// remembered exchange mode, the secure packet check against a key table, and the fields each
// action reads. Input: per datagram one control byte (bit 0 pairing allowed, bits 1-2 which
// sender), a length byte, then that many bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "peers/km_packet_parser.h"

namespace {

const uint8_t kPairingKey[16] = {0x10, 0x21, 0x32, 0x43, 0x54, 0x65, 0x76, 0x87,
                                 0x98, 0xA9, 0xBA, 0xCB, 0xDC, 0xED, 0xFE, 0x0F};

KmKeyTable& Keys() {
  static KmKeyTable* keys = [] {
    auto* table = new KmKeyTable;
    table->StoreKey(3, 7, kPairingKey);
    table->TakeSnapshot();
    return table;
  }();
  return *keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const SessionValues responder_key{0x1234567, 0x7654321};
  const uint8_t senders[4][4] = {{192, 168, 3, 7}, {192, 168, 3, 8}, {192, 168, 4, 7}, {127, 0, 0, 1}};
  KmParsedMessage parsed;
  size_t at = 0;
  while (at + 2 <= size) {
    const uint8_t control = data[at];
    const size_t length = data[at + 1] + (control & 0x80 ? 256 : 0);
    at += 2;
    const size_t take = length < size - at ? length : size - at;
    std::vector<uint8_t> datagram(data + at, data + at + take);
    at += take;
    if (!ParseKmPacket(datagram.data(), datagram.size(), senders[(control >> 1) & 3], &parsed, control & 1, Keys(),
                       responder_key)) {
      continue;
    }
    if (parsed.action == kActionScanReply) {
      ScanReplyFields fields;
      DecodeScanReply(parsed.payload, parsed.payload_size, &fields);
    } else if (parsed.action == kActionPasswordDelivery || parsed.action == kActionShowNumber) {
      volatile uint8_t last = parsed.payload[parsed.payload_size - 1];
      (void)last;
    }
  }
  return 0;
}
