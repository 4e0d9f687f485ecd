#include "peers/swivo_exchange.h"

#include "peers/aes128.h"
#include "peers/byte_order.h"

namespace {

constexpr uint64_t kSmallestModulus = uint64_t{1} << 16;

bool InInnerRange(uint64_t value, uint64_t p) { return value >= 2 && value + 2 <= p; }

// A private exponent in [2, p - 2] whose public value g^x mod p is also in [2, p - 2], as a peer
// that checks values requires.
bool DrawExponent(const DhContext& set, RandomSource& random, int64_t* exponent, int64_t* public_value) {
  for (int attempt = 0; attempt < 32; ++attempt) {
    uint64_t draw = 0;
    if (!DrawInRange(random, 2, static_cast<uint64_t>(set.p) - 2, &draw)) return false;
    const int64_t value = DhPowMod(set.g, static_cast<int64_t>(draw), set.p);
    if (value >= 0 && InInnerRange(static_cast<uint64_t>(value), static_cast<uint64_t>(set.p))) {
      *exponent = static_cast<int64_t>(draw);
      *public_value = value;
      return true;
    }
  }
  return false;
}

}  // namespace

SwivoKey SessionKeyOf(const SessionValues& values) {
  SwivoKey key;
  WriteLe64(key.bytes, values.first);
  WriteLe64(key.bytes + 8, values.second);
  return key;
}

void ClearExchangeSets(DhExchangeSets* sets) {
  for (int set = 0; set < 2; ++set) {
    DhClear(&sets->responder[set]);
    DhClear(&sets->initiator[set]);
  }
}

bool DhOfferedSetIsSound(uint64_t p, uint64_t g, uint64_t y_public) {
  if (p < kSmallestModulus || p >= static_cast<uint64_t>(kDhValueLimit)) return false;
  if (!InInnerRange(g, p) || !InInnerRange(y_public, p)) return false;
  return DhIsPrimeMillerRabin(static_cast<int64_t>(p));
}

bool DhOfferIsSound(const ExchangeOfferValues& offer) {
  return DhOfferedSetIsSound(offer.p[0], offer.g[0], offer.y_public[0]) &&
         DhOfferedSetIsSound(offer.p[1], offer.g[1], offer.y_public[1]);
}

bool PrepareExchangeOffer(DhExchangeSets* sets, uint16_t mode, RandomSource& random, ExchangeOfferValues* offer) {
  for (DhContext& set : sets->responder) DhMakeParameters(&set);
  for (DhContext& set : sets->responder) {
    if (!DrawExponent(set, random, &set.responder_private, &set.responder_public)) return false;
  }
  offer->mode = mode;
  for (int i = 0; i < 2; ++i) {
    offer->p[i] = static_cast<uint64_t>(sets->responder[i].p);
    offer->g[i] = static_cast<uint64_t>(sets->responder[i].g);
    offer->y_public[i] = static_cast<uint64_t>(sets->responder[i].responder_public);
  }
  return true;
}

bool AnswerExchangeOffer(DhExchangeSets* sets, const ExchangeOfferValues& offer, RandomSource& random,
                         ExchangeReplyValues* reply, SessionValues* shared) {
  if (!DhOfferIsSound(offer)) return false;
  DhContext fresh[2] = {};
  for (int i = 0; i < 2; ++i) {
    fresh[i].p = static_cast<int64_t>(offer.p[i]);
    fresh[i].g = static_cast<int64_t>(offer.g[i]);
    if (!DrawExponent(fresh[i], random, &fresh[i].initiator_private, &fresh[i].initiator_public)) return false;
    fresh[i].responder_public = static_cast<int64_t>(offer.y_public[i]);
    fresh[i].shared = DhPowMod(fresh[i].responder_public, fresh[i].initiator_private, fresh[i].p);
  }
  for (int i = 0; i < 2; ++i) {
    sets->initiator[i] = fresh[i];
    reply->x_public[i] = static_cast<uint64_t>(fresh[i].initiator_public);
  }
  shared->first = static_cast<uint64_t>(fresh[0].shared);
  shared->second = static_cast<uint64_t>(fresh[1].shared);
  return true;
}

bool FinishExchangeAsResponder(DhExchangeSets* sets, const ExchangeReplyValues& reply, SessionValues* shared) {
  int64_t values[2] = {};
  for (int i = 0; i < 2; ++i) {
    const DhContext& set = sets->responder[i];
    if (set.p == 0 || set.responder_private == 0) return false;
    if (!InInnerRange(reply.x_public[i], static_cast<uint64_t>(set.p))) return false;
    values[i] = DhPowMod(static_cast<int64_t>(reply.x_public[i]), set.responder_private, set.p);
    if (values[i] == kDhRefused) return false;
  }
  for (int i = 0; i < 2; ++i) {
    sets->responder[i].initiator_public = static_cast<int64_t>(reply.x_public[i]);
    sets->responder[i].shared = values[i];
  }
  shared->first = static_cast<uint64_t>(values[0]);
  shared->second = static_cast<uint64_t>(values[1]);
  return true;
}

bool RandomizeSessionSeeds(RandomSource& random, uint64_t* first, uint64_t* second) {
  uint64_t sums[2] = {};
  for (uint64_t& sum : sums) {
    for (int draw = 0; draw < 3; ++draw) {
      uint64_t value = 0;
      if (!DrawInRange(random, 0, 32767, &value)) return false;
      sum += value;
    }
  }
  *first = sums[0];
  *second = sums[1];
  return true;
}

bool DrawPairingKey(RandomSource& random, SwivoKey* key) { return random.Fill(key->bytes, sizeof key->bytes); }

void EncryptPairingKey(const SessionValues& session, const SwivoKey& key, uint8_t block[kKmBlockSize]) {
  AesContext context;
  AesSetKey(&context, SessionKeyOf(session).bytes);
  AesEncryptBlock(&context, key.bytes, block);
}

void DecryptPairingPassword(const SessionValues& session, const uint8_t block[kKmBlockSize], uint8_t password[kKmBlockSize]) {
  AesContext context;
  AesSetKey(&context, SessionKeyOf(session).bytes);
  AesDecryptBlock(&context, block, password);
}
