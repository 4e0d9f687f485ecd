#include <gtest/gtest.h>

#include "peers/hotkey_slots.h"

namespace {

TEST(HotkeySlots, PairingDialogRules) {
  const struct {
    const char* what;
    uint8_t enabled[2];
    uint8_t octet4[2];
    std::vector<int> free;
    int pairedWithPeer;  // the slot that holds 192.168.7.20
  } cases[] = {
      {"no slot used: both offered", {0, 0}, {0, 0}, {0, 1}, -1},
      {"slot 1 taken by another peer: only 2", {1, 0}, {30, 0}, {1}, -1},
      {"the peer holds slot 2: already paired", {0, 1}, {0, 20}, {0}, 1},
      {"a disabled slot with the peer is no pairing", {0, 0}, {20, 20}, {0, 1}, -1},
      {"both taken by others: nothing to offer", {1, 1}, {30, 31}, {}, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    KmSettingsRecord record = {};
    for (int slot = 0; slot < 2; ++slot) {
      record.enabled[slot] = c.enabled[slot];
      record.octet3[slot] = 7;
      record.octet4[slot] = c.octet4[slot];
    }
    EXPECT_EQ(FreeHotkeySlots(record), c.free);
    EXPECT_EQ(PairedHotkeySlot(record, 7, 20), c.pairedWithPeer);
  }
}

TEST(HotkeySlots, ComboTexts) {
  EXPECT_EQ(SlotOfComboText(L"1"), 0);
  EXPECT_EQ(SlotOfComboText(L"2"), 1);
  EXPECT_EQ(SlotOfComboText(L""), -1) << "an empty combo names no slot";
  EXPECT_EQ(SlotOfComboText(L"3"), -1);
  EXPECT_EQ(SlotOfComboText(L"0"), -1);
}

}  // namespace
