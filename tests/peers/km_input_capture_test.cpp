// The keyboard hook's switching, driven with the key records the system would hand it, and the
// controller's messages as the peer (a socket on the loopback address) receives them.
#include "peers/km_input_capture.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/peers/swivo_test_support.h"

namespace {

using swivo_test::LoopbackPeer;

const uint8_t kPairingKey[16] = {0xA5, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
const SessionValues kSession = {0x1122334455667788ull, 0x99AABBCCDDEEFF00ull};

LRESULT Key(UINT message, DWORD vk, DWORD scan) {
  KBDLLHOOKSTRUCT record = {};
  record.vkCode = vk;
  record.scanCode = scan;
  return KmLowLevelKeyboardProc(HC_ACTION, message, reinterpret_cast<LPARAM>(&record));
}

void Hotkey(DWORD digit, DWORD scan) {
  Key(WM_KEYDOWN, VK_LCONTROL, 0x1D);
  Key(WM_SYSKEYDOWN, VK_LMENU, 0x38);
  EXPECT_EQ(Key(WM_SYSKEYDOWN, digit, scan), 1) << "a hotkey press is swallowed";
  EXPECT_EQ(Key(WM_SYSKEYUP, digit, scan), 1);
  Key(WM_SYSKEYUP, VK_LMENU, 0x38);
  Key(WM_KEYUP, VK_LCONTROL, 0x1D);
}

class KmInputCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KmCreateLocks();
    KmSettingsRecord record = {};
    record.enabled[0] = 1;
    record.octet3[0] = swivo_test::kLoopThird;
    record.octet4[0] = swivo_test::kLoopFourth;
    record.clipSync[0] = 1;
    std::memcpy(record.key[0], kPairingKey, 16);
    KmApplySettings(record);
    keys_.StoreKey(swivo_test::kLoopThird, swivo_test::kLoopFourth, kPairingKey);
    keys_.TakeSnapshot();
    KmControllerLinks links;
    links.peerOf = [this](uint8_t, uint8_t) { return peer_.Self(); };
    StartSwivo(links);
  }
  void TearDown() override {
    StopSwivo();
    KmClearSwitching();
    KmDeleteLocks();
  }
  // The next secure message of this action from the controller.
  KmParsedMessage Next(int action) {
    KmParsedMessage parsed;
    EXPECT_TRUE(peer_.Expect(action, &parsed, 2000, &keys_, kSession)) << "no message of action " << action;
    return parsed;
  }
  // Ctrl+Alt+1: control of slot 1 begins with an ExchangeStart of mode 1; the exchange's key.
  void TakeControl() {
    Hotkey('1', 0x02);
    KmParsedMessage start;
    ASSERT_TRUE(peer_.Expect(kActionExchangeStart, &start));
    EXPECT_EQ(start.exchange_mode, kExchangeControl);
    EXPECT_EQ(KmCurrentSlot(), 0);
    KmSetSessionKey(kSession);
    KmSendState(0, 2);
    EXPECT_EQ(Next(kActionKmStatus).status, 2);
  }

  LoopbackPeer peer_;
  KmKeyTable keys_;
};

TEST_F(KmInputCaptureTest, KeysGoToTheControlledPeerAndTheReturnReleasesAll) {
  EXPECT_EQ(Key(WM_KEYDOWN, 'A', 0x1E), 0) << "local: the key is passed on";
  TakeControl();
  EXPECT_EQ(Key(WM_KEYDOWN, 'A', 0x1E), 1) << "controlling: swallowed";
  KmParsedMessage key = Next(kActionKmKey);
  EXPECT_EQ(key.key_action, kKeyDown);
  EXPECT_EQ(key.scan_code, 0x1E);
  const uint16_t first = key.sequence;
  Key(WM_KEYUP, 'A', 0x1E);
  key = Next(kActionKmKey);
  EXPECT_EQ(key.key_action, kKeyUp);
  EXPECT_EQ(static_cast<uint16_t>(key.sequence - first), 1) << "each message carries the next number";
  EXPECT_EQ(KmLowLevelMouseProc(HC_ACTION, WM_MOUSEMOVE, 0), 1) << "the local pointer stays";

  KmClearSwitching();  // as the controller thread does once the notice is shown
  Hotkey('1', 0x02);   // the same slot's hotkey: back to local
  // The hotkey's own Ctrl and Alt presses went to the peer; the release-all ends them.
  KmParsedMessage released;
  do {
    released = Next(kActionKmKey);
  } while (released.key_action != kKeyReleaseAll && !::testing::Test::HasFailure());
  EXPECT_EQ(Next(kActionKmStatus).status, 0);
  EXPECT_EQ(KmCurrentSlot(), -1);
  EXPECT_EQ(Key(WM_KEYDOWN, 'A', 0x1E), 0);
}

TEST_F(KmInputCaptureTest, ControllerModeOffEndsTheSessionFirst) {
  TakeControl();
  StopSwivo();
  EXPECT_FALSE(KmHooksInstalled());
  EXPECT_EQ(Next(kActionKmKey).key_action, kKeyReleaseAll) << "the peer's keys are released";
  EXPECT_EQ(Next(kActionKmStatus).status, 0) << "the peer is told control ended";
  EXPECT_EQ(KmCurrentSlot(), -1);
}

TEST_F(KmInputCaptureTest, HotkeyOfASlotThatIsNotEnabledEndsControlAndStaysLocal) {
  TakeControl();
  KmClearSwitching();
  Hotkey('2', 0x03);
  KmParsedMessage released;
  do {
    released = Next(kActionKmKey);
  } while (released.key_action != kKeyReleaseAll && !::testing::Test::HasFailure());
  EXPECT_EQ(Next(kActionKmStatus).status, 0);
  EXPECT_EQ(KmCurrentSlot(), -1);
  EXPECT_TRUE(peer_.Silent(kActionExchangeStart, 300));
}

}  // namespace
