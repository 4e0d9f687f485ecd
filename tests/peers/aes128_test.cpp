#include "peers/aes128.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/peers/bytes_left_behind.h"
#include "tests/peers/hex_bytes.h"

namespace {

struct AesVector {
  const char* what;
  const char* key;
  const char* plain;
  const char* cipher;
};

// FIPS-197 Appendix C.1 and Appendix B, and the all-zero key and block.
const AesVector kVectors[] = {
    {"FIPS-197 C.1", "000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff", "69c4e0d86a7b0430d8cdb78070b4c55a"},
    {"FIPS-197 B", "2b7e151628aed2a6abf7158809cf4f3c", "3243f6a8885a308d313198a2e0370734", "3925841d02dc09fbdc118597196a0b32"},
    {"zero key, zero block", "00000000000000000000000000000000", "00000000000000000000000000000000", "66e94bd4ef8a2c3b884cfa59ca342b2e"},
};

TEST(Aes128, StandardVectorsBothWays) {
  for (const AesVector& v : kVectors) {
    AesContext context;
    AesSetKey(&context, HexBytes(v.key).data());
    EXPECT_EQ(context.rounds, 10);
    uint8_t out[16];
    AesEncryptBlock(&context, HexBytes(v.plain).data(), out);
    EXPECT_EQ(BytesHex(out, 16), v.cipher) << v.what;
    AesDecryptBlock(&context, HexBytes(v.cipher).data(), out);
    EXPECT_EQ(BytesHex(out, 16), v.plain) << v.what;
  }
}

// The round keys are the key in another form: a context leaves none of them behind.
TEST(Aes128, ContextIsClearedWhenItGoes) {
  const LeftBehind left = BytesLeftBehind<AesContext>([](AesContext* context) {
    AesSetKey(context, HexBytes(kVectors[1].key).data());
    uint8_t out[16];
    AesEncryptBlock(context, HexBytes(kVectors[1].plain).data(), out);
  });
  EXPECT_TRUE(left.filled);
  EXPECT_TRUE(left.cleared);
}

TEST(Aes128, InPlaceOperationsGiveTheSameBytes) {
  AesContext context;
  AesSetKey(&context, HexBytes(kVectors[0].key).data());
  std::vector<uint8_t> block = HexBytes(kVectors[0].plain);
  AesEncryptBlock(&context, block.data(), block.data());
  EXPECT_EQ(BytesHex(block.data(), 16), kVectors[0].cipher);
  AesDecryptBlock(&context, block.data(), block.data());
  EXPECT_EQ(BytesHex(block.data(), 16), kVectors[0].plain);
}

// Threads that prepare their first key at the same moment all see complete tables.
TEST(Aes128, FirstKeysOnManyThreadsAgree) {
  std::vector<std::thread> threads;
  std::vector<std::string> results(8);
  for (size_t i = 0; i < results.size(); ++i) {
    threads.emplace_back([&results, i] {
      AesContext context;
      AesSetKey(&context, HexBytes(kVectors[1].key).data());
      uint8_t out[16];
      AesEncryptBlock(&context, HexBytes(kVectors[1].plain).data(), out);
      results[i] = BytesHex(out, 16);
    });
  }
  for (auto& thread : threads) thread.join();
  for (const std::string& result : results) EXPECT_EQ(result, kVectors[1].cipher);
}

}  // namespace
