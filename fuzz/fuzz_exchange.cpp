// Offers and replies from the wire into both sides of the exchange: the initiator answers any
// ExchangeOffer that the parser takes, the responder finishes with any ExchangeReply. Input: one
// selector byte, then the datagram.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "peers/km_packet_parser.h"
#include "peers/swivo_exchange.h"
#include "tests/peers/test_random_source.h"

namespace {

// The responder's own parameters, drawn once as its thread would.
const DhExchangeSets& PreparedResponder() {
  static const DhExchangeSets sets = [] {
    DhExchangeSets prepared;
    ClearExchangeSets(&prepared);
    SeededRandomSource random(1);
    ExchangeOfferValues offer;
    PrepareExchangeOffer(&prepared, kExchangeControl, random, &offer);
    return prepared;
  }();
  return sets;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::vector<uint8_t> datagram(data + 1, data + size);
  const uint8_t source[4] = {192, 168, 3, 7};
  KmKeyTable keys;
  KmParsedMessage parsed;
  parsed.exchange_mode = data[0] & 1;
  if (!ParseKmPacket(datagram.data(), datagram.size(), source, &parsed, data[0] & 2, keys, SessionValues{})) return 0;
  SeededRandomSource random(data[0]);
  if (parsed.action == kActionExchangeOffer) {
    DhExchangeSets initiator;
    ClearExchangeSets(&initiator);
    ExchangeReplyValues reply;
    SessionValues shared;
    AnswerExchangeOffer(&initiator, parsed.offer, random, &reply, &shared);
  } else if (parsed.action == kActionExchangeReply) {
    DhExchangeSets responder = PreparedResponder();
    SessionValues shared;
    FinishExchangeAsResponder(&responder, parsed.reply, &shared);
  }
  // The raw values too, whatever the parser made of them: no input may trap the arithmetic.
  ExchangeOfferValues offer;
  if (datagram.size() >= 4 && ReadExchangeOffer(datagram.data() + 4, datagram.size() - 4, &offer)) {
    DhExchangeSets initiator;
    ClearExchangeSets(&initiator);
    ExchangeReplyValues reply;
    SessionValues shared;
    AnswerExchangeOffer(&initiator, offer, random, &reply, &shared);
    for (int i = 0; i < 2; ++i) {
      DhPowMod(static_cast<int64_t>(offer.y_public[i]), static_cast<int64_t>(offer.g[i]), static_cast<int64_t>(offer.p[i]));
      DhIsPrimeMillerRabin(static_cast<int64_t>(offer.p[i]));
    }
  }
  return 0;
}
