#include "peers/swivo_exchange.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "tests/peers/bytes_left_behind.h"
#include "tests/peers/hex_bytes.h"
#include "tests/peers/test_random_source.h"

namespace {

// One exchange between two sides, each with the thread state of its UDP service.
struct ExchangeRun {
  DhExchangeSets responder_side;
  DhExchangeSets initiator_side;
  ExchangeOfferValues offer;
  ExchangeReplyValues reply;
  SessionValues initiator_key;
  SessionValues responder_key;
};

void RunExchange(ExchangeRun* run, RandomSource& random) {
  ASSERT_TRUE(PrepareExchangeOffer(&run->responder_side, kExchangeControl, random, &run->offer));
  ASSERT_TRUE(AnswerExchangeOffer(&run->initiator_side, run->offer, random, &run->reply, &run->initiator_key));
  ASSERT_TRUE(FinishExchangeAsResponder(&run->responder_side, run->reply, &run->responder_key));
}

TEST(SwivoExchange, BothSidesDeriveTheSameSessionKey) {
  SeededRandomSource random(7);
  for (int round = 0; round < 5; ++round) {
    ExchangeRun run;
    ClearExchangeSets(&run.responder_side);
    ClearExchangeSets(&run.initiator_side);
    RunExchange(&run, random);
    EXPECT_EQ(run.offer.mode, kExchangeControl);
    EXPECT_TRUE(DhOfferIsSound(run.offer));
    const SwivoKey initiator = SessionKeyOf(run.initiator_key);
    const SwivoKey responder = SessionKeyOf(run.responder_key);
    EXPECT_EQ(BytesHex(initiator.bytes, 16), BytesHex(responder.bytes, 16));
    for (int zero : {4, 5, 6, 7, 12, 13, 14, 15}) EXPECT_EQ(initiator.bytes[zero], 0) << zero;
    EXPECT_NE(run.initiator_key.first, 0u);
  }
}

TEST(SwivoExchange, SessionKeyIsTheTwoValuesLittleEndian) {
  const SwivoKey key = SessionKeyOf(SessionValues{0x01020304, 0x7FFFFFFF});
  EXPECT_EQ(BytesHex(key.bytes, 16), "0403020100000000ffffff7f00000000");
}

// The values an exchange leaves are key material: each clears itself when it goes.
TEST(SwivoExchange, KeyMaterialIsClearedWhenItGoes) {
  struct Case {
    const char* what;
    std::function<LeftBehind()> run;
  };
  const Case cases[] = {
      {"session values", [] {
         return BytesLeftBehind<SessionValues>([](SessionValues* values) { *values = SessionValues{0x1234, 0x7FFF0000}; });
       }},
      {"session key", [] {
         return BytesLeftBehind<SwivoKey>([](SwivoKey* key) { *key = SessionKeyOf(SessionValues{0x1234, 0x7FFF0000}); });
       }},
      {"exchange sets after an exchange", [] {
         return BytesLeftBehind<DhExchangeSets>([](DhExchangeSets* sets) {
           SeededRandomSource random(3);
           ExchangeOfferValues offer;
           PrepareExchangeOffer(sets, kExchangeControl, random, &offer);
         });
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const LeftBehind left = c.run();
    EXPECT_TRUE(left.filled);
    EXPECT_TRUE(left.cleared);
  }
}

// The responder draws its parameters once and keeps them; its exponents are fresh each time.
TEST(SwivoExchange, ResponderKeepsItsParametersAcrossExchanges) {
  SeededRandomSource random(11);
  DhExchangeSets sets;
  ClearExchangeSets(&sets);
  ExchangeOfferValues first, second;
  ASSERT_TRUE(PrepareExchangeOffer(&sets, 0, random, &first));
  ASSERT_TRUE(PrepareExchangeOffer(&sets, 1, random, &second));
  EXPECT_EQ(first.p[0], second.p[0]);
  EXPECT_EQ(first.g[1], second.g[1]);
  EXPECT_NE(first.y_public[0], second.y_public[0]);
}

// An offer a peer sends fills the initiator contexts only: the next offer this side makes still
// carries its own parameters.
TEST(SwivoExchange, AnOfferCannotPlantTheResponderParameters) {
  SeededRandomSource random(13);
  ExchangeRun peer;
  ClearExchangeSets(&peer.responder_side);
  ExchangeOfferValues planted;
  ASSERT_TRUE(PrepareExchangeOffer(&peer.responder_side, 0, random, &planted));

  DhExchangeSets sets;
  ClearExchangeSets(&sets);
  ExchangeOfferValues own;
  ASSERT_TRUE(PrepareExchangeOffer(&sets, 0, random, &own));
  ExchangeReplyValues reply;
  SessionValues shared;
  ASSERT_TRUE(AnswerExchangeOffer(&sets, planted, random, &reply, &shared));
  ExchangeOfferValues after;
  ASSERT_TRUE(PrepareExchangeOffer(&sets, 1, random, &after));
  EXPECT_EQ(after.p[0], own.p[0]);
  EXPECT_EQ(after.p[1], own.p[1]);
  EXPECT_EQ(after.g[0], own.g[0]);
  EXPECT_EQ(sets.initiator[0].p, static_cast<int64_t>(planted.p[0]));
}

TEST(SwivoExchange, UnsoundOffersAreRefused) {
  SeededRandomSource random(17);
  DhExchangeSets sets;
  ClearExchangeSets(&sets);
  ExchangeOfferValues good;
  ASSERT_TRUE(PrepareExchangeOffer(&sets, 0, random, &good));
  struct {
    const char* what;
    uint64_t p, g, y;
  } cases[] = {
      {"modulus 0", 0, 2, 2},
      {"modulus 1", 1, 2, 2},
      {"composite modulus", 65537ull * 3, 2, 5},
      {"Carmichael modulus", 1105, 2, 5},
      {"prime below 2^16", 65521, 3, 5},
      {"modulus of 2^31 and above", 2147483659ull, 2, 5},
      {"modulus in the upper bytes", good.p[0] | 1ull << 40, good.g[0], good.y_public[0]},
      {"base 0", good.p[0], 0, good.y_public[0]},
      {"base 1", good.p[0], 1, good.y_public[0]},
      {"base p - 1", good.p[0], good.p[0] - 1, good.y_public[0]},
      {"base p", good.p[0], good.p[0], good.y_public[0]},
      {"public 1", good.p[0], good.g[0], 1},
      {"public p - 1", good.p[0], good.g[0], good.p[0] - 1},
      {"public beyond p", good.p[0], good.g[0], good.p[0] + 5},
  };
  for (const auto& c : cases) {
    ExchangeOfferValues offer = good;
    offer.p[1] = c.p;
    offer.g[1] = c.g;
    offer.y_public[1] = c.y;
    EXPECT_FALSE(DhOfferIsSound(offer)) << c.what;
    DhExchangeSets initiator;
    ClearExchangeSets(&initiator);
    ExchangeReplyValues reply;
    SessionValues shared{1, 2};
    EXPECT_FALSE(AnswerExchangeOffer(&initiator, offer, random, &reply, &shared)) << c.what;
    EXPECT_EQ(shared.first, 1u) << c.what;
    EXPECT_EQ(initiator.initiator[0].p, 0) << c.what;
  }
  EXPECT_TRUE(DhOfferedSetIsSound(65537, 3, 65535));  // the smallest accepted modulus and its range
  EXPECT_TRUE(DhOfferedSetIsSound(2147483647, 2, 2147483645));
}

TEST(SwivoExchange, RepliesOutsideTheRangeOrWithoutAnOfferAreRefused) {
  SeededRandomSource random(19);
  DhExchangeSets sets;
  ClearExchangeSets(&sets);
  SessionValues shared{5, 6};
  ExchangeReplyValues reply;
  reply.x_public[0] = reply.x_public[1] = 1234;
  EXPECT_FALSE(FinishExchangeAsResponder(&sets, reply, &shared));  // no offer made

  ExchangeOfferValues offer;
  ASSERT_TRUE(PrepareExchangeOffer(&sets, 1, random, &offer));
  for (uint64_t bad : {uint64_t{0}, uint64_t{1}, offer.p[0] - 1, offer.p[0], uint64_t{1} << 40}) {
    reply.x_public[0] = bad;
    reply.x_public[1] = 2;
    EXPECT_FALSE(FinishExchangeAsResponder(&sets, reply, &shared)) << bad;
    EXPECT_EQ(shared.first, 5u);
  }
}

TEST(SwivoExchange, FailingRandomSourceKeysNothing) {
  FailingRandomSource broken;
  SeededRandomSource random(23);
  DhExchangeSets sets;
  ClearExchangeSets(&sets);
  ExchangeOfferValues offer;
  EXPECT_FALSE(PrepareExchangeOffer(&sets, 0, broken, &offer));
  ASSERT_TRUE(PrepareExchangeOffer(&sets, 0, random, &offer));
  DhExchangeSets initiator;
  ClearExchangeSets(&initiator);
  ExchangeReplyValues reply;
  SessionValues shared;
  EXPECT_FALSE(AnswerExchangeOffer(&initiator, offer, broken, &reply, &shared));
  SwivoKey key;
  EXPECT_FALSE(DrawPairingKey(broken, &key));
  uint64_t p = 9, q = 9;
  EXPECT_FALSE(RandomizeSessionSeeds(broken, &p, &q));
  EXPECT_EQ(p, 9u);
}

TEST(SwivoPairing, DeliveredKeyDecryptsUnderTheSameSessionKey) {
  SeededRandomSource random(29);
  ExchangeRun run;
  ClearExchangeSets(&run.responder_side);
  ClearExchangeSets(&run.initiator_side);
  RunExchange(&run, random);
  SwivoKey first, second;
  ASSERT_TRUE(DrawPairingKey(random, &first));
  ASSERT_TRUE(DrawPairingKey(random, &second));
  EXPECT_NE(BytesHex(first.bytes, 16), BytesHex(second.bytes, 16));  // no longer one key per second
  uint8_t block[16], password[16];
  EncryptPairingKey(run.responder_key, first, block);
  EXPECT_NE(BytesHex(block, 16), BytesHex(first.bytes, 16));
  DecryptPairingPassword(run.initiator_key, block, password);
  EXPECT_EQ(BytesHex(password, 16), BytesHex(first.bytes, 16));
}

TEST(SwivoPairing, SessionSeedsAreSumsOfThreeFifteenBitDraws) {
  SeededRandomSource random(31);
  for (int i = 0; i < 100; ++i) {
    uint64_t p = 0, q = 0;
    ASSERT_TRUE(RandomizeSessionSeeds(random, &p, &q));
    EXPECT_LE(p, 3u * 32767);
    EXPECT_LE(q, 3u * 32767);
  }
}

}  // namespace
