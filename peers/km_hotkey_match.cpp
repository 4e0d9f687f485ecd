#include "peers/km_hotkey_match.h"

namespace {

bool ModifiersHeld(const KmModifierState& modifiers, int32_t switchMode) {
  return switchMode != 0 ? modifiers.ctrlDown : modifiers.ctrlDown && modifiers.altDown;
}

bool IsHotkeyKey(uint32_t virtualKey) {
  return virtualKey == '0' || virtualKey == '1' || virtualKey == '2' || virtualKey == kVirtualKeyOemPlus;
}

}  // namespace

KmHotkeyDecision MatchKmHotkey(KmModifierState* modifiers, KmKeyEventKind kind, uint32_t scanCode,
                               uint32_t virtualKey, int32_t switchMode) {
  KmHotkeyDecision decision;
  if (kind == KmKeyEventKind::kOther) return decision;
  const bool down = kind == KmKeyEventKind::kDown;
  if (scanCode == kScanCtrl) modifiers->ctrlDown = down;
  if (scanCode == kScanAlt) modifiers->altDown = down;
  const bool held = ModifiersHeld(*modifiers, switchMode);
  if (down) {
    if (held && IsHotkeyKey(virtualKey)) {
      decision.hotkey = KmHotkey::kSwallowPress;
    } else {
      decision.action = 0;
    }
    return decision;
  }
  decision.action = 1;
  if (!held) return decision;
  switch (virtualKey) {
    case kVirtualKeyOemPlus: decision.hotkey = KmHotkey::kShowList; break;
    case '1': decision.hotkey = KmHotkey::kSlot1; decision.action = -1; break;
    case '2': decision.hotkey = KmHotkey::kSlot2; decision.action = -1; break;
    case '0': decision.hotkey = KmHotkey::kReturn; decision.action = -1; break;
    default: break;
  }
  return decision;
}
