// Not a test: measures AES-128 blocks per second, the cost of one secure packet as the controller
// builds it and the receiver checks it, and one key agreement over both sets, first with the
// responder drawing its parameters (its thread's first exchange) and then with kept parameters.
// Run: scripts/wine-run --root build/wine build/tests/peers/protocol_benchmark.exe
#include <chrono>
#include <cstdio>

#include "peers/aes128.h"
#include "peers/km_secure_packet.h"
#include "peers/swivo_exchange.h"
#include "tests/peers/test_random_source.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void MeasureAes() {
  const uint8_t key[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  AesContext context;
  AesSetKey(&context, key);
  uint8_t block[16] = {};
  constexpr int kBlocks = 2000000;
  Clock::time_point start = Clock::now();
  for (int i = 0; i < kBlocks; ++i) AesEncryptBlock(&context, block, block);
  const double encrypt = kBlocks / SecondsSince(start);
  start = Clock::now();
  for (int i = 0; i < kBlocks; ++i) AesDecryptBlock(&context, block, block);
  const double decrypt = kBlocks / SecondsSince(start);
  std::printf("AES-128 encrypt: %.0f blocks/s\nAES-128 decrypt: %.0f blocks/s (last byte %02x)\n", encrypt, decrypt, block[0]);

  constexpr int kPackets = 200000;
  const SwivoKey session = SessionKeyOf(SessionValues{0x1234567, 0x7654321});
  start = Clock::now();
  unsigned accepted = 0;
  for (int i = 0; i < kPackets; ++i) {
    KmSecurePacket packet = BuildKmSecurePacket(kKmKey, kKmKeyLength, MakeKmKeyBlock(0, 0x1E, 0, static_cast<uint16_t>(i)), session, key);
    accepted += OpenKmSecureBlocks(packet.bytes + 4, packet.bytes + 20, session, key);
  }
  std::printf("secure packet built and checked (two key schedules, four blocks): %.2f us (%u accepted)\n",
              1e6 * SecondsSince(start) / kPackets, accepted);
}

void MeasureKeyAgreement() {
  SeededRandomSource random(42);
  constexpr int kFirstExchanges = 50;
  double total = 0;
  for (int i = 0; i < kFirstExchanges; ++i) {
    DhExchangeSets responder, initiator;
    ClearExchangeSets(&responder);
    ClearExchangeSets(&initiator);
    const Clock::time_point start = Clock::now();
    ExchangeOfferValues offer;
    ExchangeReplyValues reply;
    SessionValues a, b;
    PrepareExchangeOffer(&responder, kExchangeControl, random, &offer);
    AnswerExchangeOffer(&initiator, offer, random, &reply, &a);
    FinishExchangeAsResponder(&responder, reply, &b);
    total += SecondsSince(start);
    if (a.first != b.first || a.second != b.second) std::printf("mismatch\n");
  }
  std::printf("key agreement, both sets, responder drawing its primes: %.1f us\n", 1e6 * total / kFirstExchanges);

  DhExchangeSets responder, initiator;
  ClearExchangeSets(&responder);
  ClearExchangeSets(&initiator);
  ExchangeOfferValues offer;
  PrepareExchangeOffer(&responder, kExchangeControl, random, &offer);
  constexpr int kExchanges = 20000;
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < kExchanges; ++i) {
    ExchangeReplyValues reply;
    SessionValues a, b;
    PrepareExchangeOffer(&responder, kExchangeControl, random, &offer);
    AnswerExchangeOffer(&initiator, offer, random, &reply, &a);
    FinishExchangeAsResponder(&responder, reply, &b);
  }
  std::printf("key agreement, both sets, kept parameters (offer checks included): %.1f us\n",
              1e6 * SecondsSince(start) / kExchanges);
}

}  // namespace

int main() {
  MeasureAes();
  MeasureKeyAgreement();
  return 0;
}
