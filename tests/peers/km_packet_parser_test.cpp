#include "peers/km_packet_parser.h"

#include <gtest/gtest.h>

#include <cstring>

#include "peers/km_secure_packet.h"
#include "tests/peers/hex_bytes.h"
#include "tests/peers/test_random_source.h"

namespace {

const uint8_t kControllerKey[16] = {0x10, 0x21, 0x32, 0x43, 0x54, 0x65, 0x76, 0x87,
                                    0x98, 0xA9, 0xBA, 0xCB, 0xDC, 0xED, 0xFE, 0x0F};
const uint8_t kOtherSlotKey[16] = {0xEE, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
const SessionValues kSession{0x1234567, 0x7654321};

// The controlled computer 192.168.3.x: it admits controller 192.168.3.7.
class KmReceiver : public ::testing::Test {
 protected:
  void SetUp() override {
    keys_.StoreKey(3, 7, kControllerKey);
    keys_.TakeSnapshot();
  }
  bool Parse(LanDatagram bytes, uint8_t third = 3, uint8_t fourth = 7, bool pairing_allowed = false) {
    buffer_ = std::move(bytes);
    const uint8_t source[4] = {192, 168, third, fourth};
    return ParseKmPacket(buffer_.data(), buffer_.size(), source, &parsed_, pairing_allowed, keys_, session_);
  }
  static LanDatagram Secure(uint16_t type, uint16_t length, const KmBlock& block, const uint8_t* token = kControllerKey,
                            SessionValues session = kSession) {
    const KmSecurePacket packet = BuildKmSecurePacket(type, length, block, SessionKeyOf(session), token);
    return LanDatagram(packet.bytes, packet.bytes + sizeof packet.bytes);
  }

  KmKeyTable keys_;
  SessionValues session_ = kSession;
  KmParsedMessage parsed_;
  LanDatagram buffer_;
};

TEST_F(KmReceiver, SecurePacketsFromThePairedControllerOnly) {
  const KmBlock key_block = MakeKmKeyBlock(kKeyUp, 0x1D, 1, 500);
  const SessionValues stale{1, 2};
  struct {
    const char* what;
    LanDatagram bytes;
    uint8_t third, fourth;
    bool taken;
  } cases[] = {
      {"paired controller", Secure(kKmKey, 8, key_block), 3, 7, true},
      {"token of another slot's key", Secure(kKmKey, 8, key_block, kOtherSlotKey), 3, 7, false},
      {"sender on another subnet", Secure(kKmKey, 8, key_block), 4, 7, false},
      {"sender without a key", Secure(kKmKey, 8, key_block), 3, 8, false},
      {"another session key", Secure(kKmKey, 8, key_block, kControllerKey, stale), 3, 7, false},
      {"L = 10 with a valid token", Secure(kKmKey, 10, key_block), 3, 7, false},
      {"status with L = 8", Secure(kKmStatus, 8, MakeKmStatusBlock(1)), 3, 7, false},
      {"mouse with L = 4", Secure(kKmMouse, 4, MakeKmMouseBlock(1, 1, 0, 1)), 3, 7, false},
  };
  for (auto& c : cases) {
    EXPECT_EQ(Parse(c.bytes, c.third, c.fourth), c.taken) << c.what;
  }
  // The same bytes as the first case, from the right sender, are taken again: nothing stops a replay.
  EXPECT_TRUE(Parse(Secure(kKmKey, 8, key_block)));
  EXPECT_EQ(parsed_.action, kActionKmKey);
  EXPECT_EQ(parsed_.key_action, kKeyUp);
  EXPECT_EQ(parsed_.scan_code, 0x1D);
  EXPECT_EQ(parsed_.key_flags, 1);
  EXPECT_EQ(parsed_.sequence, 500) << "the replay gate reads the sender's counter";
  EXPECT_EQ(parsed_.source[3], 7);
}

TEST_F(KmReceiver, SecureFieldsOfStatusAndMouse) {
  ASSERT_TRUE(Parse(Secure(kKmStatus, 4, MakeKmStatusBlock(2))));
  EXPECT_EQ(parsed_.action, kActionKmStatus);
  EXPECT_EQ(parsed_.status, 2);
  ASSERT_TRUE(Parse(Secure(kKmMouse, 12, MakeKmMouseBlock(0x0000FF88, -3, kMouseWheel, 9))));
  EXPECT_EQ(parsed_.action, kActionKmMouse);
  EXPECT_EQ(static_cast<int16_t>(parsed_.dx & 0xFFFF), -120);
  EXPECT_EQ(parsed_.dy, -3);
  EXPECT_EQ(parsed_.mouse_kind, kMouseWheel);
  EXPECT_EQ(parsed_.sequence, 9);
}

// Readers use the snapshot: a key stored but not yet snapshotted admits nobody.
TEST_F(KmReceiver, KeysCountFromTheSnapshotOn) {
  keys_.StoreKey(3, 9, kControllerKey);
  EXPECT_FALSE(Parse(Secure(kKmKey, 8, MakeKmKeyBlock(0, 2, 0, 1)), 3, 9));
  keys_.TakeSnapshot();
  EXPECT_TRUE(Parse(Secure(kKmKey, 8, MakeKmKeyBlock(0, 2, 0, 1)), 3, 9));
}

LanDatagram Framed(uint16_t type, const std::string& payload_hex, int extra_length = 0) {
  const std::vector<uint8_t> payload = HexBytes(payload_hex);
  LanDatagram bytes = BuildLanMessage(type, payload.data(), payload.size());
  const int length = (bytes[0] << 8 | bytes[1]) + extra_length;
  bytes[0] = static_cast<uint8_t>(length >> 8);
  bytes[1] = static_cast<uint8_t>(length);
  return bytes;
}

// One receiving thread's datagrams in order: whether each is taken, and the remembered mode after.
TEST_F(KmReceiver, PairingMessagesFollowTheRememberedMode) {
  SeededRandomSource random(3);
  DhExchangeSets sets;
  ClearExchangeSets(&sets);
  ExchangeOfferValues sound;
  ASSERT_TRUE(PrepareExchangeOffer(&sets, kExchangePairing, random, &sound));
  ExchangeOfferValues unsound = sound;
  unsound.mode = kExchangeControl;
  unsound.p[0] = 65535;
  ExchangeOfferValues control_offer = sound;
  control_offer.mode = kExchangeControl;
  LanDatagram short_offer = BuildExchangeOffer(sound);
  short_offer.resize(short_offer.size() - 2);
  short_offer[1] = 50;

  struct Step {
    const char* what;
    LanDatagram bytes;
    bool pairing_allowed;
    bool taken;
    uint16_t mode_after;
  } steps[] = {
      {"password request, window closed", BuildPasswordRequest(), false, false, 0},
      {"password request, window open", BuildPasswordRequest(), true, true, 0},
      {"exchange reply, window closed", BuildExchangeReply({}), false, false, 0},
      {"exchange start mode 1", BuildExchangeStart(1), false, true, 1},
      {"password request after mode 1", BuildPasswordRequest(), false, true, 1},
      {"exchange reply after mode 1", BuildExchangeReply({}), false, true, 1},
      {"exchange reply with L = 20", Framed(kExchangeReply, std::string(32, '0') + "0000"), false, false, 1},
      {"exchange start of another L keeps the mode", Framed(kExchangeStart, "0000 0000"), false, true, 1},
      {"unsound offer is dropped and changes nothing", BuildExchangeOffer(unsound), false, false, 1},
      {"offer with L = 50", short_offer, false, false, 1},
      {"sound offer sets its mode", BuildExchangeOffer(sound), false, true, 0},
      {"exchange start of another L judged by mode 0", Framed(kExchangeStart, "0001 0000"), false, false, 0},
      {"exchange start mode 0, window closed", BuildExchangeStart(0), false, false, 0},
      {"exchange start mode 0, window open", BuildExchangeStart(0), true, true, 0},
      {"offer of a control session", BuildExchangeOffer(control_offer), false, true, 1},
      {"exchange start mode 0 sets the mode though dropped", BuildExchangeStart(0), false, false, 0},
      {"exchange reply, window open", BuildExchangeReply({}), true, true, 0},
  };
  for (Step& step : steps) {
    EXPECT_EQ(Parse(step.bytes, 3, 7, step.pairing_allowed), step.taken) << step.what;
    EXPECT_EQ(parsed_.exchange_mode, step.mode_after) << step.what;
  }
}

TEST_F(KmReceiver, ReadFieldsOfThePlainMessages) {
  SeededRandomSource random(5);
  DhExchangeSets sets;
  ClearExchangeSets(&sets);
  ExchangeOfferValues offer;
  ASSERT_TRUE(PrepareExchangeOffer(&sets, kExchangeControl, random, &offer));
  ASSERT_TRUE(Parse(BuildExchangeOffer(offer), 9, 200));
  EXPECT_EQ(parsed_.action, kActionExchangeOffer);
  EXPECT_EQ(parsed_.offer.p[1], offer.p[1]);
  EXPECT_EQ(parsed_.offer.y_public[0], offer.y_public[0]);
  EXPECT_EQ(parsed_.source[2], 9);
  EXPECT_EQ(parsed_.source[3], 200);

  const uint8_t key[16] = {1, 2, 3};
  ASSERT_TRUE(Parse(BuildPasswordDelivery(key)));
  EXPECT_EQ(parsed_.action, kActionPasswordDelivery);
  EXPECT_EQ(BytesHex(parsed_.payload, 16), BytesHex(key, 16));
  ASSERT_TRUE(Parse(BuildShowNumber(2)));
  EXPECT_EQ(parsed_.action, kActionShowNumber);
  EXPECT_EQ(parsed_.show_number, 2);
  ASSERT_TRUE(Parse(BuildScanReply(5, u"PC", u"CPU", u"001122334455"), 9, 7));
  EXPECT_EQ(parsed_.action, kActionScanReply);
  EXPECT_EQ(parsed_.payload_size, 44u - 2);
  ASSERT_TRUE(Parse(BuildAliveReply()));
  EXPECT_EQ(parsed_.action, kActionAliveReply);

  // Fields that would lie past the datagram are not read.
  EXPECT_FALSE(Parse(Framed(kPasswordDelivery, "0102")));
  EXPECT_FALSE(Parse(Framed(kShowNumber, "")));
  EXPECT_FALSE(Parse(Framed(kScanReply, "")));
  EXPECT_FALSE(Parse(Framed(kShowNumber, "0001", 2)));
  // A ScanReply is taken whatever its L says, as the service answers, and read only as far as
  // both L and the datagram go.
  ASSERT_TRUE(Parse(Framed(kScanReply, "0005 4100 0000", 200)));
  EXPECT_EQ(parsed_.payload_size, 6u);
  ASSERT_TRUE(Parse(Framed(kScanReply, "0005 4100 0000 4200", -2)));
  EXPECT_EQ(parsed_.payload_size, 6u);
  EXPECT_FALSE(Parse(Framed(kScanReply, "00", 250)));
}

}  // namespace
