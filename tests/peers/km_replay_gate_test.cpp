#include "peers/km_replay_gate.h"

#include <gtest/gtest.h>

#include "peers/km_hotkey_match.h"

namespace {

TEST(KmSequenceWindow, AheadModuloTwoToTheSixteenWithinHalfTheRange) {
  struct {
    const char* what;
    uint16_t last, next;
    bool ahead;
  } cases[] = {
      {"next number", 100, 101, true},
      {"same number again", 100, 100, false},
      {"one behind", 100, 99, false},
      {"wraps past 65535", 65535, 0, true},
      {"32767 ahead", 0, 32767, true},
      {"32768 ahead is behind", 0, 32768, false},
      {"far behind across the wrap", 5, 65000, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(KmSequenceIsAhead(c.last, c.next), c.ahead);
  }
}

// The controlled computer and its controller 192.168.3.7.
class ReplayGate : public ::testing::Test {
 protected:
  void StartSession(uint16_t status = 1) {
    gate_.OnSessionKey();
    gate_.OnStatus(3, 7, status);
  }
  KmReplayGate gate_;
};

TEST_F(ReplayGate, InputOnlyFromTheComputerThatTookControl) {
  EXPECT_FALSE(gate_.Admit(3, 7, 1)) << "no KmStatus yet";
  StartSession();
  EXPECT_FALSE(gate_.Admit(3, 8, 1)) << "another paired host";
  EXPECT_TRUE(gate_.Admit(3, 7, 1));
  gate_.OnStatus(3, 8, 0);
  EXPECT_TRUE(gate_.Admit(3, 7, 2)) << "status 0 from another host ends nothing";
  gate_.OnStatus(3, 7, 0);
  EXPECT_FALSE(gate_.Admit(3, 7, 3)) << "control ended";
}

TEST_F(ReplayGate, CapturedPacketsAreNotReplayedForTheRestOfTheSession) {
  StartSession(2);
  EXPECT_TRUE(gate_.Admit(3, 7, 40000)) << "the first after the status starts the window";
  EXPECT_TRUE(gate_.Admit(3, 7, 40001));
  EXPECT_FALSE(gate_.Admit(3, 7, 40001)) << "the same packet again";
  EXPECT_FALSE(gate_.Admit(3, 7, 40000)) << "an older packet";
  EXPECT_TRUE(gate_.Admit(3, 7, 40005)) << "lost packets in between";
  // The session's KmStatus played again does not open the window again.
  gate_.OnStatus(3, 7, 1);
  EXPECT_FALSE(gate_.Admit(3, 7, 40001));
  // Ended and played again under the same key: the old numbers stay behind.
  gate_.OnStatus(3, 7, 0);
  gate_.OnStatus(3, 7, 1);
  EXPECT_FALSE(gate_.Admit(3, 7, 40002));
  // A new control exchange starts a new window with the sender's new counter.
  StartSession();
  EXPECT_TRUE(gate_.Admit(3, 7, 12));
}

TEST_F(ReplayGate, AnotherControllerStartsItsOwnWindow) {
  StartSession();
  EXPECT_TRUE(gate_.Admit(3, 7, 30000));
  gate_.OnStatus(3, 9, 1);
  EXPECT_FALSE(gate_.Admit(3, 7, 30001)) << "control moved to 192.168.3.9";
  EXPECT_TRUE(gate_.Admit(3, 9, 5));
}

// The hotkey table: what the keyboard hook does with each key event.
TEST(KmHotkeyTable, ModifiersDigitsAndEquals) {
  constexpr uint32_t kScanOne = 0x02;
  constexpr uint32_t kScanA = 0x1E;
  struct Event {
    KmKeyEventKind kind;
    uint32_t scan, vk;
  };
  const Event ctrlDown{KmKeyEventKind::kDown, kScanCtrl, 0xA2};
  const Event altDown{KmKeyEventKind::kDown, kScanAlt, 0xA4};
  const Event ctrlUp{KmKeyEventKind::kUp, kScanCtrl, 0xA2};
  struct {
    const char* what;
    int32_t switchMode;
    std::vector<Event> before;
    Event event;
    KmHotkey hotkey;
    int action;
  } cases[] = {
      {"plain key press", 0, {}, {KmKeyEventKind::kDown, kScanA, 'A'}, KmHotkey::kNone, 0},
      {"plain key release", 0, {}, {KmKeyEventKind::kUp, kScanA, 'A'}, KmHotkey::kNone, 1},
      {"other message", 0, {}, {KmKeyEventKind::kOther, kScanA, 'A'}, KmHotkey::kNone, -1},
      {"Ctrl+Alt+1 press swallowed", 0, {ctrlDown, altDown}, {KmKeyEventKind::kDown, kScanOne, '1'},
       KmHotkey::kSwallowPress, -1},
      {"Ctrl+Alt+1 release switches", 0, {ctrlDown, altDown}, {KmKeyEventKind::kUp, kScanOne, '1'},
       KmHotkey::kSlot1, -1},
      {"Ctrl+Alt+2 release", 0, {ctrlDown, altDown}, {KmKeyEventKind::kUp, 0x03, '2'}, KmHotkey::kSlot2, -1},
      {"Ctrl+Alt+0 release returns", 0, {ctrlDown, altDown}, {KmKeyEventKind::kUp, 0x0B, '0'}, KmHotkey::kReturn, -1},
      {"Ctrl+Alt+= release lists and forwards", 0, {ctrlDown, altDown},
       {KmKeyEventKind::kUp, 0x0D, kVirtualKeyOemPlus}, KmHotkey::kShowList, 1},
      {"Ctrl+Alt+= press swallowed", 0, {ctrlDown, altDown}, {KmKeyEventKind::kDown, 0x0D, kVirtualKeyOemPlus},
       KmHotkey::kSwallowPress, -1},
      {"Ctrl+1 in mode 0 is an ordinary key", 0, {ctrlDown}, {KmKeyEventKind::kUp, kScanOne, '1'}, KmHotkey::kNone, 1},
      {"Ctrl+2 in mode 1 switches", 1, {ctrlDown}, {KmKeyEventKind::kUp, 0x03, '2'}, KmHotkey::kSlot2, -1},
      {"Ctrl+Alt+A forwarded", 0, {ctrlDown, altDown}, {KmKeyEventKind::kDown, kScanA, 'A'}, KmHotkey::kNone, 0},
      {"Ctrl released before the digit", 0, {ctrlDown, altDown, ctrlUp}, {KmKeyEventKind::kUp, kScanOne, '1'},
       KmHotkey::kNone, 1},
      {"right Ctrl and Alt count too (same scan codes)", 0, {ctrlDown, altDown},
       {KmKeyEventKind::kUp, 0x0B, '0'}, KmHotkey::kReturn, -1},
      {"Ctrl's own release in mode 1 is forwarded", 1, {ctrlDown}, ctrlUp, KmHotkey::kNone, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    KmModifierState modifiers;
    for (const Event& e : c.before) MatchKmHotkey(&modifiers, e.kind, e.scan, e.vk, c.switchMode);
    const KmHotkeyDecision decision = MatchKmHotkey(&modifiers, c.event.kind, c.event.scan, c.event.vk, c.switchMode);
    EXPECT_EQ(decision.hotkey, c.hotkey);
    EXPECT_EQ(decision.action, c.action);
  }
}

}  // namespace
