// Any bytes as a datagram to either receiver: the drop rules, the service's choice of reply, and
// the ScanReply texts of what passes them, read as far as L and the datagram both go.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "peers/lan_message.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size copy, so that any read past the datagram is caught.
  const std::vector<uint8_t> datagram(data, data + size);
  const uint8_t own[4] = {192, 168, 3, 1}, sender[4] = {192, 168, 3, 2};
  scan_messages::ChooseReply(datagram.data(), datagram.size(), sender, own);
  for (LanReceiver receiver : {LanReceiver::kService, LanReceiver::kInteractive}) {
    LanHeader header;
    if (!PassesLanDropRules(datagram.data(), datagram.size(), receiver, &header)) continue;
    if (header.type == kScanReply) {
      ScanReplyFields fields;
      DecodeScanReply(datagram.data() + 4, scan_messages::PayloadBytes(header, datagram.size()), &fields);
    }
  }
  return 0;
}
