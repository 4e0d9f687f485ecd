// The steps of Swivo's key agreement and pairing, over two independent Diffie-Hellman sets. The
// UDP service thread runs them; the messages they fill are sent by swivo_exchange_sender.h.
//
// This side's values as responder and as initiator live in separate contexts: an offer a peer
// sends fills only the initiator contexts, so it cannot plant the parameters this side later
// offers when it answers an exchange.
#pragma once
#include <cstdint>

#include "common/secure_clear.h"
#include "peers/dh_math.h"
#include "peers/lan_message.h"
#include "peers/random_source.h"

// Two shared values; as a key, the first as a 64-bit little-endian number followed by the second.
// Both are below 2^31, so bytes 4 to 7 and 12 to 15 of the key are zero.
// Both are key material and clear themselves when they go, copies included.
struct SessionValues {
  uint64_t first = 0;
  uint64_t second = 0;
  ~SessionValues() { SecureClear(this, sizeof *this); }
};
struct SwivoKey {
  uint8_t bytes[kKmBlockSize] = {};
  ~SwivoKey() { SecureClear(bytes, sizeof bytes); }
};
SwivoKey SessionKeyOf(const SessionValues& values);

// The thread's two sets in each role, zeroed when the thread starts and cleared when it ends.
struct DhExchangeSets {
  DhContext responder[2];
  DhContext initiator[2];
  ~DhExchangeSets() { SecureClear(this, sizeof *this); }
};
void ClearExchangeSets(DhExchangeSets* sets);

// True when an offered set may be used: p a prime by Miller-Rabin in [2^16, 2^31), g and Y in
// [2, p - 2]. A set that fails is refused, and the offer is dropped as a malformed datagram is.
bool DhOfferedSetIsSound(uint64_t p, uint64_t g, uint64_t y_public);
bool DhOfferIsSound(const ExchangeOfferValues& offer);

// Responder, on ExchangeStart: draws this side's parameters once (DhMakeParameters keeps them for
// the thread's life), fresh private exponents from `random`, and fills the offer. False when the
// random source failed; nothing is then sent.
bool PrepareExchangeOffer(DhExchangeSets* sets, uint16_t mode, RandomSource& random, ExchangeOfferValues* offer);

// Initiator, on ExchangeOffer: takes p and g of the offer, draws private exponents, fills the
// reply and the shared values. False when the offer is unsound or the random source failed.
bool AnswerExchangeOffer(DhExchangeSets* sets, const ExchangeOfferValues& offer, RandomSource& random,
                         ExchangeReplyValues* reply, SessionValues* shared);

// Responder, on ExchangeReply: the shared values from the initiator's public values. False (and
// `shared` left alone) when this side has made no offer or a value is outside [2, p - 2].
bool FinishExchangeAsResponder(DhExchangeSets* sets, const ExchangeReplyValues& reply, SessionValues* shared);

// Sets each of the two working session values to the sum of three 15-bit draws, the range the
// C library's generator gives, here drawn from the cryptographic source.
bool RandomizeSessionSeeds(RandomSource& random, uint64_t* first, uint64_t* second);

// The responder's new pairing key: 16 bytes from the cryptographic source.
bool DrawPairingKey(RandomSource& random, SwivoKey* key);

// One AES-128 block under the session key: the key as PasswordDelivery carries it, and back.
void EncryptPairingKey(const SessionValues& session, const SwivoKey& key, uint8_t block[kKmBlockSize]);
void DecryptPairingPassword(const SessionValues& session, const uint8_t block[kKmBlockSize], uint8_t password[kKmBlockSize]);
