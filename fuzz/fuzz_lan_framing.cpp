// Any bytes as a datagram to either receiver: the drop rules, and the ScanReply texts of what
// passes them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "peers/lan_message.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size copy, so that any read past the datagram is caught.
  const std::vector<uint8_t> datagram(data, data + size);
  for (LanReceiver receiver : {LanReceiver::kService, LanReceiver::kInteractive}) {
    LanHeader header;
    if (!PassesLanDropRules(datagram.data(), datagram.size(), receiver, &header)) continue;
    if (header.type == kScanReply) {
      ScanReplyFields fields;
      DecodeScanReply(datagram.data() + 4, header.length - 2u, &fields);
    }
  }
  return 0;
}
