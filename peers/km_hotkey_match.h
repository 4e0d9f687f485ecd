// The keyboard hook's reading of one key event while controller mode is on: the Ctrl and Alt
// state it keeps from the scan codes, the hotkeys [Ctrl]+[Alt]+digit (or [Ctrl]+digit) and '=',
// and the key action forwarded to a controlled peer. Pure: the hook acts on the result.
#pragma once
#include <cstdint>

enum class KmKeyEventKind { kDown, kUp, kOther };

enum class KmHotkey {
  kNone,          // no hotkey: forward or pass on with `action`
  kSwallowPress,  // a hotkey's key press: swallowed, never forwarded
  kShowList,      // '=' released: hotkey list, then forwarded with `action` like any key
  kSlot1,         // '1' released: switch to slot 1 (or back from it)
  kSlot2,
  kReturn,        // '0' released: back to the local computer
};

struct KmModifierState {
  bool ctrlDown = false;
  bool altDown = false;
};

struct KmHotkeyDecision {
  KmHotkey hotkey = KmHotkey::kNone;
  int action = -1;  // key action to forward: 0 press, 1 release, -1 none
};

inline constexpr uint32_t kScanCtrl = 0x1D;
inline constexpr uint32_t kScanAlt = 0x38;
inline constexpr uint32_t kVirtualKeyOemPlus = 0xBB;

// Updates the modifier state from the event's scan code and reads the event.
KmHotkeyDecision MatchKmHotkey(KmModifierState* modifiers, KmKeyEventKind kind, uint32_t scanCode,
                               uint32_t virtualKey, int32_t switchMode);
