// A PasswordDelivery from the wire, decrypted as the initiator does after a pairing exchange.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "peers/km_packet_parser.h"
#include "peers/swivo_exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> datagram(data, data + size);
  const uint8_t source[4] = {192, 168, 3, 7};
  KmKeyTable keys;
  KmParsedMessage parsed;
  if (!ParseKmPacket(datagram.data(), datagram.size(), source, &parsed, true, keys, SessionValues{})) return 0;
  if (parsed.action != kActionPasswordDelivery) return 0;
  uint8_t password[kKmBlockSize];
  DecryptPairingPassword(SessionValues{0x1234, 0x5678}, parsed.payload, password);
  return 0;
}
