#include "peers/lan_message.h"

#include <gtest/gtest.h>

#include "tests/peers/hex_bytes.h"

namespace {

// A datagram of `size` bytes whose header says L and type; the rest is filler.
LanDatagram Datagram(size_t size, uint16_t length, uint16_t type) {
  LanDatagram bytes(size, 0xA5);
  if (size > 0) bytes[0] = static_cast<uint8_t>(length >> 8);
  if (size > 1) bytes[1] = static_cast<uint8_t>(length);
  if (size > 2) bytes[2] = static_cast<uint8_t>(type >> 8);
  if (size > 3) bytes[3] = static_cast<uint8_t>(type);
  return bytes;
}

struct DropCase {
  const char* what;
  LanReceiver receiver;
  size_t size;
  uint16_t length;
  uint16_t type;
  bool taken;
};

const DropCase kDropCases[] = {
    {"3 bytes", LanReceiver::kInteractive, 3, 2, kAliveReply, false},
    {"L = 0", LanReceiver::kInteractive, 4, 0, kAliveReply, false},
    {"L = 1, shorter than the type", LanReceiver::kInteractive, 4, 1, kPasswordDelivery, false},
    {"service: L = 1 is answered", LanReceiver::kService, 4, 1, kScanRequest, true},
    {"service: L = 256 in 4 bytes is answered", LanReceiver::kService, 4, 256, kScanRequest, true},
    {"L = 1 alive reply", LanReceiver::kInteractive, 4, 1, kAliveReply, true},
    {"L = 257", LanReceiver::kInteractive, 256, 257, kScanReply, false},
    {"300 bytes", LanReceiver::kInteractive, 300, 298, kScanReply, false},
    {"257 bytes", LanReceiver::kInteractive, 257, 2, kAliveReply, false},
    {"L = 254 filling the buffer", LanReceiver::kInteractive, 256, 254, kScanReply, true},
    {"L = 256 beyond the datagram", LanReceiver::kInteractive, 256, 256, kScanReply, true},
    {"L = 256 exchange start cannot fit", LanReceiver::kInteractive, 256, 256, kExchangeStart, false},
    {"alive reply", LanReceiver::kInteractive, 4, 2, kAliveReply, true},
    {"bytes beyond L", LanReceiver::kInteractive, 10, 2, kAliveReply, true},
    {"scan reply cut short, read as far as it goes", LanReceiver::kInteractive, 30, 46, kScanReply, true},
    {"show number cut short", LanReceiver::kInteractive, 5, 4, kShowNumber, false},
    {"type 4 unused", LanReceiver::kInteractive, 4, 2, 4, false},
    {"type 5 unused", LanReceiver::kInteractive, 4, 2, 5, false},
    {"type 15 unknown", LanReceiver::kInteractive, 4, 2, 15, false},
    {"high byte of type", LanReceiver::kInteractive, 4, 2, 0x0103, false},
    {"scan request to the program", LanReceiver::kInteractive, 4, 2, kScanRequest, false},
    {"alive query to the program", LanReceiver::kInteractive, 4, 2, kAliveQuery, false},
    {"secure packet of 36", LanReceiver::kInteractive, 36, 8, kKmKey, true},
    {"secure packet of 20", LanReceiver::kInteractive, 20, 8, kKmKey, false},
    {"secure packet of 37", LanReceiver::kInteractive, 37, 8, kKmKey, false},
    {"secure status of 36 with L 200", LanReceiver::kInteractive, 36, 200, kKmStatus, true},
    {"exchange offer whole", LanReceiver::kInteractive, 54, 52, kExchangeOffer, true},
    {"exchange offer cut", LanReceiver::kInteractive, 53, 52, kExchangeOffer, false},
    {"show number", LanReceiver::kInteractive, 6, 4, kShowNumber, true},
    {"service: scan request", LanReceiver::kService, 4, 2, kScanRequest, true},
    {"service: alive query", LanReceiver::kService, 4, 2, kAliveQuery, true},
    {"service: scan reply", LanReceiver::kService, 48, 46, kScanReply, false},
    {"service: alive reply", LanReceiver::kService, 4, 2, kAliveReply, false},
    {"service: secure packet", LanReceiver::kService, 36, 8, kKmKey, false},
    {"service: 3 bytes", LanReceiver::kService, 3, 2, kScanRequest, false},
    {"service: L = 0", LanReceiver::kService, 4, 0, kScanRequest, false},
    {"service: L beyond the datagram", LanReceiver::kService, 4, 4, kScanRequest, true},
    {"service: L = 257", LanReceiver::kService, 4, 257, kScanRequest, false},
};

TEST(LanDropRules, TableOfDatagrams) {
  for (const DropCase& c : kDropCases) {
    const LanDatagram bytes = Datagram(c.size, c.length, c.type);
    LanHeader header;
    EXPECT_EQ(PassesLanDropRules(bytes.data(), bytes.size(), c.receiver, &header), c.taken) << c.what;
    if (c.taken) {
      EXPECT_EQ(header.length, c.length) << c.what;
      EXPECT_EQ(header.type, c.type) << c.what;
    }
  }
}

TEST(LanMessageBuilders, BytesOfEveryPlainMessage) {
  ExchangeOfferValues offer;
  offer.mode = 1;
  offer.p[0] = 0x7FFFFFFF;
  offer.p[1] = 0x01020304;
  offer.g[0] = 3;
  offer.g[1] = 5;
  offer.y_public[0] = 0x11223344;
  offer.y_public[1] = 0x55667788;
  ExchangeReplyValues reply;
  reply.x_public[0] = 0x0A0B0C0D;
  reply.x_public[1] = 0x10;
  const uint8_t key[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  struct {
    const char* what;
    LanDatagram built;
    std::string expected;
  } cases[] = {
      {"scan request", BuildScanRequest(), "0002 0000"},
      {"alive query", BuildAliveQuery(), "0002 0002"},
      {"alive reply", BuildAliveReply(), "0002 0003"},
      {"password request", BuildPasswordRequest(), "0002 0009"},
      {"password delivery", BuildPasswordDelivery(key), "0012 000a 000102030405060708090a0b0c0d0e0f"},
      {"exchange start", BuildExchangeStart(1), "0004 000b 0001"},
      {"show number", BuildShowNumber(2), "0004 000e 0002"},
      {"exchange offer", BuildExchangeOffer(offer),
       "0034 000c 0001 ffffff7f00000000 0403020100000000 0300000000000000 0500000000000000"
       " 4433221100000000 8877665500000000"},
      {"exchange reply", BuildExchangeReply(reply), "0012 000d 0d0c0b0a00000000 1000000000000000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BytesHex(c.built.data(), c.built.size()), BytesHex(HexBytes(c.expected).data(), HexBytes(c.expected).size()))
        << c.what;
  }
  const LanDatagram offer_bytes = BuildExchangeOffer(offer);
  ExchangeOfferValues read;
  ASSERT_TRUE(ReadExchangeOffer(offer_bytes.data() + 4, offer_bytes.size() - 4, &read));
  EXPECT_EQ(read.mode, 1);
  EXPECT_EQ(read.p[0], offer.p[0]);
  EXPECT_EQ(read.y_public[1], offer.y_public[1]);
  const LanDatagram reply_bytes = BuildExchangeReply(reply);
  ExchangeReplyValues read_reply;
  ASSERT_TRUE(ReadExchangeReply(reply_bytes.data() + 4, reply_bytes.size() - 4, &read_reply));
  EXPECT_EQ(read_reply.x_public[0], reply.x_public[0]);
}

// The exchange readers carry their length: a payload cut short reads as far as it goes, gives
// zeros beyond, and says so.
TEST(LanMessageReaders, ExchangeValuesCutShort) {
  ExchangeOfferValues offer;
  offer.mode = 1;
  offer.p[0] = 0x7FFFFFFF;
  offer.y_public[1] = 0x55667788;
  const LanDatagram offer_bytes = BuildExchangeOffer(offer);
  struct Case {
    const char* what;
    size_t size;
    bool whole;
  };
  const Case cases[] = {{"whole", 50, true}, {"one byte short", 49, false}, {"mode only", 2, false}, {"nothing", 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // An exact-size copy, so that a read past it is caught by the sanitizer build.
    const std::vector<uint8_t> payload(offer_bytes.begin() + 4, offer_bytes.begin() + 4 + c.size);
    ExchangeOfferValues read;
    EXPECT_EQ(ReadExchangeOffer(payload.data(), payload.size(), &read), c.whole);
    EXPECT_EQ(read.mode, c.size >= 2 ? 1 : 0);
    EXPECT_EQ(read.p[0], c.size >= 10 ? offer.p[0] : 0u);
    EXPECT_EQ(read.y_public[1], c.whole ? offer.y_public[1] : 0u);
  }
  ExchangeReplyValues reply;
  const uint8_t eight[8] = {1, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_FALSE(ReadExchangeReply(eight, sizeof eight, &reply));
  EXPECT_EQ(reply.x_public[0], 1u);
  EXPECT_EQ(reply.x_public[1], 0u);
}

TEST(LanMessageBuilders, PlainBlocksOfTheSecureMessages) {
  EXPECT_EQ(BytesHex(MakeKmStatusBlock(2).bytes, 16), "00020000000000000000000000000000");
  EXPECT_EQ(BytesHex(MakeKmKeyBlock(kKeyUp, 0x1D, 1, 0xFFFF).bytes, 16), "0001001d0001ffff0000000000000000");
  EXPECT_EQ(BytesHex(MakeKmMouseBlock(-2, 300, kMouseWheel, 7).bytes, 16), "fffffffe0000012c0005000700000000");
}

TEST(ScanReply, ThreeLetterNamesMakeFortyEightBytes) {
  const LanDatagram reply = BuildScanReply(5, u"ABC", u"XYZ", u"00112233AABB");
  ASSERT_EQ(reply.size(), 48u);
  EXPECT_EQ(reply[0] << 8 | reply[1], 46);
  LanHeader header;
  ASSERT_TRUE(PassesLanDropRules(reply.data(), reply.size(), LanReceiver::kInteractive, &header));
  ScanReplyFields fields;
  ASSERT_TRUE(DecodeScanReply(reply.data() + 4, header.length - 2u, &fields));
  EXPECT_EQ(fields.osTypeCode, 5);
  EXPECT_EQ(fields.computerName, u"ABC");
  EXPECT_EQ(fields.cpuName, u"XYZ");
  EXPECT_EQ(BytesHex(fields.mac, 6), "00112233aabb");
}

TEST(ScanReply, LongTextsAreCutSoTheReplyStaysWithin222) {
  const std::u16string cpu(100, u'c');
  const std::u16string name(200, u'n');
  const LanDatagram reply = BuildScanReply(15, name, cpu, u"001122334455");
  EXPECT_EQ(reply[0] << 8 | reply[1], 222);
  ScanReplyFields fields;
  ASSERT_TRUE(DecodeScanReply(reply.data() + 4, reply.size() - 4, &fields));
  EXPECT_EQ(fields.cpuName, cpu.substr(0, 63));
  EXPECT_EQ(fields.computerName, name.substr(0, 31));
}

// Payloads a sender might get wrong: no NULs, texts longer than the slots, a bad MAC text.
TEST(ScanReply, DecodingStaysInsideThePayload) {
  std::vector<uint8_t> no_nuls = {0x00, 0x09};
  for (int i = 0; i < 20; ++i) no_nuls.insert(no_nuls.end(), {'Q', 0});
  ScanReplyFields fields;
  ASSERT_TRUE(DecodeScanReply(no_nuls.data(), no_nuls.size(), &fields));
  EXPECT_EQ(fields.computerName, std::u16string(20, u'Q'));
  EXPECT_TRUE(fields.cpuName.empty());
  EXPECT_EQ(BytesHex(fields.mac, 6), "000000000000");

  std::vector<uint8_t> long_name = {0x00, 0x07};
  for (int i = 0; i < 300; ++i) long_name.insert(long_name.end(), {'n', 0});
  long_name.insert(long_name.end(), {0, 0, 'c', 0, 0, 0});
  for (char c : std::string("00zz22334455")) long_name.insert(long_name.end(), {static_cast<uint8_t>(c), 0});
  ASSERT_TRUE(DecodeScanReply(long_name.data(), long_name.size(), &fields));
  EXPECT_EQ(fields.computerName.size(), kPeerNameUnits);
  EXPECT_EQ(fields.cpuName, u"c");
  EXPECT_EQ(BytesHex(fields.mac, 6), "000022334455");

  const uint8_t odd[] = {0x00, 0x01, 'A'};
  ASSERT_TRUE(DecodeScanReply(odd, sizeof odd, &fields));
  EXPECT_TRUE(fields.computerName.empty());
  EXPECT_FALSE(DecodeScanReply(odd, 1, &fields));
}

}  // namespace
