// The UDP service on the loopback address, with the test as the other computer: keys replayed
// into a real window in front, the replay and sender rules, and both sides of pairing.
#include "peers/swivo_service.h"

#include <gtest/gtest.h>

#include <cstring>

#include "peers/km_secure_packet.h"
#include "peers/swivo_exchange_sender.h"
#include "peers/system_random_source.h"
#include "tests/common/temp_folder.h"
#include "tests/peers/swivo_test_support.h"

namespace {

using swivo_test::InputRecorder;
using swivo_test::LoopbackPeer;
using swivo_test::PumpUntil;

const uint8_t kPairingKey[16] = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE, 1, 2, 3, 4, 5, 6, 7, 8};

class SwivoServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    port_ = swivo_test::FreePort(SOCK_DGRAM);
    service_.bind_ = swivo_test::LoopbackPlan(port_);
    service_.folder_ = folder_.path();
    service_.replyTo_ = [this](uint8_t, uint8_t) { return peer_.Self(); };
    service_.keys_.StoreKey(swivo_test::kLoopThird, swivo_test::kLoopFourth, kPairingKey);
    service_.keys_.TakeSnapshot();
    ASSERT_TRUE(service_.Start());
    ASSERT_TRUE(PumpUntil([this] { return service_.Bound(); }, 5000));
  }
  void TearDown() override {
    service_.stop_ = true;
    ::SetEvent(service_.stopEvent_);
    ::WaitForSingleObject(service_.thread_, 10000);
    service_.Close();
  }
  LanPeer Service() const { return {swivo_test::kLoopback, port_}; }

  // The test as controller: a control exchange started by its ExchangeStart, answered by the
  // service's offer; the shared values.
  SessionValues ControlExchange() {
    DhExchangeSets sets;
    ClearExchangeSets(&sets);
    SendLanDatagram(Service(), BuildExchangeStart(kExchangeControl));
    KmParsedMessage offer;
    EXPECT_TRUE(peer_.Expect(kActionExchangeOffer, &offer));
    SessionValues shared;
    EXPECT_TRUE(SendKeyExchangeReply(&sets, random_, Service(), offer.offer, &shared));
    ::Sleep(50);  // the reply before what follows
    return shared;
  }
  void SendSecure(uint16_t type, uint16_t length, const KmBlock& block, const SessionValues& session) {
    const KmSecurePacket packet = BuildKmSecurePacket(type, length, block, SessionKeyOf(session), kPairingKey);
    SendLanDatagram(Service(), LanDatagram(packet.bytes, packet.bytes + sizeof packet.bytes));
  }
  void SendKey(uint16_t action, uint16_t scan, uint16_t sequence, const SessionValues& session) {
    SendSecure(kKmKey, kKmKeyLength, MakeKmKeyBlock(action, scan, 0, sequence), session);
  }
  bool WaitHandled(uint32_t count) {
    return PumpUntil([&] { return service_.Replayed() + service_.DroppedInput() >= count; }, 3000);
  }

  TempFolder folder_;
  LoopbackPeer peer_;
  uint16_t port_ = 0;
  SwivoService service_;
  SystemRandomSource random_;
};

TEST_F(SwivoServiceTest, KeysOfTheControllerAreTypedIntoTheWindowInFrontEachOnce) {
  InputRecorder recorder;
  const SessionValues session = ControlExchange();
  SendKey(kKeyDown, 0x1E, 1, session);
  ASSERT_TRUE(WaitHandled(1));
  EXPECT_EQ(service_.Replayed(), 0u) << "no KmStatus yet: this computer is not controlled";

  SendSecure(kKmStatus, kKmStatusLength, MakeKmStatusBlock(1), session);
  ::Sleep(100);
  SendKey(kKeyDown, 0x1E, 40000, session);  // 'A'
  SendKey(kKeyUp, 0x1E, 40001, session);
  SendKey(kKeyUp, 0x1E, 40001, session);  // the same packet again
  SendKey(kKeyDown, 0x1E, 40000, session);  // an older one
  SendKey(kKeyDown, 0x30, 40003, session);  // 'B', after a lost one
  SendKey(kKeyUp, 0x30, 40004, session);
  ASSERT_TRUE(WaitHandled(7));
  EXPECT_EQ(service_.Replayed(), 4u);
  EXPECT_EQ(service_.DroppedInput(), 3u);
  ASSERT_TRUE(PumpUntil([&] { return recorder.Keys().size() >= 4; }, 3000));
  const std::vector<InputRecorder::Key> expected = {
      {WM_KEYDOWN, 0x1E}, {WM_KEYUP, 0x1E}, {WM_KEYDOWN, 0x30}, {WM_KEYUP, 0x30}};
  ASSERT_EQ(recorder.Keys().size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(recorder.Keys()[i].message, expected[i].message);
    EXPECT_EQ(recorder.Keys()[i].scan, expected[i].scan);
  }

  // Mouse buttons and the wheel reach the window under the pointer.
  RECT box;
  ::GetWindowRect(recorder.Window(), &box);
  ::SetCursorPos(box.left + 50, box.top + 50);
  SendSecure(kKmMouse, kKmMouseLength, MakeKmMouseBlock(0, 0, kMouseRightDown, 40005), session);
  SendSecure(kKmMouse, kKmMouseLength, MakeKmMouseBlock(0, 0, kMouseRightUp, 40006), session);
  SendSecure(kKmMouse, kKmMouseLength, MakeKmMouseBlock(0xFF88, 0, kMouseWheel, 40007), session);
  ASSERT_TRUE(PumpUntil([&] { return recorder.Buttons().size() >= 2 && recorder.Wheel() != 0; }, 3000));
  EXPECT_EQ(recorder.Buttons(), (std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP}));
  EXPECT_EQ(recorder.Wheel(), -120);

  // Control ended: nothing more is replayed.
  SendSecure(kKmStatus, kKmStatusLength, MakeKmStatusBlock(0), session);
  ::Sleep(100);
  SendKey(kKeyDown, 0x1E, 40010, session);
  ASSERT_TRUE(WaitHandled(11));
  EXPECT_EQ(service_.Replayed(), 7u);
}

TEST_F(SwivoServiceTest, PairingKeyOnlyUnderTheKeyOfTheReplyAndStoredAsSent) {
  service_.pairingAllowed_ = true;
  DhExchangeSets sets;
  ClearExchangeSets(&sets);
  SendLanDatagram(Service(), BuildExchangeStart(kExchangePairing));
  KmParsedMessage offer;
  ASSERT_TRUE(peer_.Expect(kActionExchangeOffer, &offer));
  // Before this side's reply the service has no key to send a pairing key under.
  SendPasswordRequest(Service());
  EXPECT_TRUE(peer_.Silent(kActionPasswordDelivery, 500)) << "answered before the exchange was finished";
  EXPECT_EQ(::WaitForSingleObject(service_.passwordSent_, 0), static_cast<DWORD>(WAIT_TIMEOUT));

  SessionValues shared;
  ASSERT_TRUE(SendKeyExchangeReply(&sets, random_, Service(), offer.offer, &shared));
  ::Sleep(50);
  SendPasswordRequest(Service());
  KmParsedMessage delivery;
  ASSERT_TRUE(peer_.Expect(kActionPasswordDelivery, &delivery));
  uint8_t key[16];
  DecryptPairingPassword(shared, delivery.payload, key);
  EXPECT_EQ(::WaitForSingleObject(service_.passwordSent_, 2000), static_cast<DWORD>(WAIT_OBJECT_0));
  uint8_t stored[16];
  service_.keys_.GetKey(swivo_test::kLoopFourth, stored);
  EXPECT_EQ(0, std::memcmp(key, stored, 16)) << "both sides hold the same pairing key";

  // A second request under the same exchange is not answered again.
  SendPasswordRequest(Service());
  EXPECT_TRUE(peer_.Silent(kActionPasswordDelivery, 500));
}

TEST_F(SwivoServiceTest, PairingKeyTakenOnlyFromTheHostAskedForOne) {
  // A delivery nobody asked for.
  const uint8_t block[16] = {9, 9, 9};
  SendLanDatagram(Service(), BuildPasswordDelivery(block));
  EXPECT_EQ(::WaitForSingleObject(service_.passwordDelivered_, 500), static_cast<DWORD>(WAIT_TIMEOUT));

  // The service as initiator: this side offers, the service replies and asks for the key.
  DhExchangeSets sets;
  ClearExchangeSets(&sets);
  ExchangeOfferValues values;
  ASSERT_TRUE(PrepareExchangeOffer(&sets, kExchangePairing, random_, &values));
  SendLanDatagram(Service(), BuildExchangeOffer(values));
  KmParsedMessage reply;
  ASSERT_TRUE(peer_.Expect(kActionExchangeReply, &reply));
  SessionValues shared;
  ASSERT_TRUE(FinishExchangeAsResponder(&sets, reply.reply, &shared));
  KmParsedMessage request;
  ASSERT_TRUE(peer_.Expect(kActionPasswordRequest, &request));
  SwivoKey key;
  ASSERT_TRUE(DrawPairingKey(random_, &key));
  uint8_t encrypted[16];
  EncryptPairingKey(shared, key, encrypted);
  SendLanDatagram(Service(), BuildPasswordDelivery(encrypted));
  ASSERT_EQ(::WaitForSingleObject(service_.passwordDelivered_, 2000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(0, std::memcmp(service_.password_, key.bytes, 16));
}

}  // namespace
