#include "peers/km_input_capture.h"

#include <atomic>
#include <cstring>

#include "peers/clipboard_server.h"
#include "peers/km_hotkey_match.h"
#include "peers/km_session_socket.h"
#include "peers/lan_sender.h"
#include "peers/swivo_controller.h"
#include "peers/system_random_source.h"
#include "shell/main_messages.h"

namespace {

constexpr USHORT kUsagePageGeneric = 1;
constexpr USHORT kUsageMouse = 2;
constexpr UINT kRawInputBytes = 128;

struct SlotCopy {
  uint8_t enabled[2] = {};
  uint8_t octet3[2] = {};
  uint8_t octet4[2] = {};
  uint8_t clipSync[2] = {};
  uint8_t key[2][kKmBlockSize] = {};
};

struct HookState {
  CRITICAL_SECTION slotLock;
  CRITICAL_SECTION switchingLock;
  bool locksMade = false;
  SlotCopy slots;
  std::atomic<int32_t> switchMode{0};
  int currentSlot = -1;
  bool switching = false;
  KmModifierState modifiers;
  std::atomic<bool> forwardMouse{false};
  KmSessionSocket session;
  KmControllerLinks links;
  HHOOK keyboardHook = nullptr;
  HHOOK mouseHook = nullptr;
  bool hooksInstalled = false;
};

HookState& State() {
  static HookState* state = new HookState;
  return *state;
}

SystemRandomSource& Random() {
  static SystemRandomSource random;
  return random;
}

class Locked {
 public:
  explicit Locked(CRITICAL_SECTION& lock) : lock_(lock) { ::EnterCriticalSection(&lock_); }
  ~Locked() { ::LeaveCriticalSection(&lock_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  CRITICAL_SECTION& lock_;
};

void SetSwitching() {
  Locked hold(State().switchingLock);
  State().switching = true;
}

void NoticeSwitch(uint16_t word, uint32_t peer) {
  if (SwivoController* controller = State().links.controller) controller->NoticeSwitch(word, peer);
}

bool ReadSlot(int slot, SlotCopy* copy) {
  Locked hold(State().slotLock);
  *copy = State().slots;
  return copy->enabled[slot] != 0;
}

LanPeer PeerOf(uint8_t third, uint8_t fourth) {
  const KmControllerLinks& links = State().links;
  return links.peerOf ? links.peerOf(third, fourth) : LanPeer{PrivatePeerAddress(third, fourth), links.kmPort};
}

void SendShowIndex(int slot, uint8_t third, uint8_t fourth) {
  SendShowNumber(PeerOf(third, fourth), static_cast<uint16_t>(slot + 1));
}

void ShowHotkeyList() {
  ::OutputDebugStringA("Show hotkey list\n");
  for (int slot = 0; slot < 2; ++slot) {
    SlotCopy copy;
    if (!ReadSlot(slot, &copy)) continue;
    ::OutputDebugStringA("Show hotkey list2\n");
    SendShowIndex(slot, copy.octet3[slot], copy.octet4[slot]);
  }
  if (SwivoController* controller = State().links.controller) {
    controller->NoticeHotkeyList(static_cast<uint16_t>(State().switchMode.load()));
  }
}

void ReturnToLocal() {
  KmStopControl();
  SetSwitching();
  State().forwardMouse = false;
  NoticeSwitch(0, 0);
}

// '1' or '2' released with the modifiers held.
void SwitchToSlot(int slot) {
  HookState& state = State();
  int current;
  {
    Locked hold(state.switchingLock);
    if (state.switching) return;
    current = state.currentSlot;
  }
  if (current == slot) {
    ReturnToLocal();
    return;
  }
  KmStopControl();
  state.forwardMouse = false;
  NoticeSwitch(0, 0);
  SlotCopy copy;
  if (!ReadSlot(slot, &copy)) return;
  {
    Locked hold(state.switchingLock);
    state.currentSlot = slot;
  }
  state.session.Open(PeerOf(copy.octet3[slot], copy.octet4[slot]), slot, copy.key[slot]);
  state.session.SendConnect();
  SetSwitching();
  state.forwardMouse = true;
  NoticeSwitch(static_cast<uint16_t>((slot + 1) << 8 | (copy.clipSync[slot] ? 1 : 0)),
               static_cast<uint32_t>(copy.octet3[slot]) << 8 | copy.octet4[slot]);
}

KmKeyEventKind KindOf(WPARAM message) {
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) return KmKeyEventKind::kDown;
  if (message == WM_KEYUP || message == WM_SYSKEYUP) return KmKeyEventKind::kUp;
  return KmKeyEventKind::kOther;
}

}  // namespace

void KmCreateLocks() {
  HookState& state = State();
  if (state.locksMade) return;
  ::InitializeCriticalSection(&state.slotLock);
  ::InitializeCriticalSection(&state.switchingLock);
  state.locksMade = true;
}

void KmDeleteLocks() {
  HookState& state = State();
  if (!state.locksMade) return;
  ::DeleteCriticalSection(&state.slotLock);
  ::DeleteCriticalSection(&state.switchingLock);
  state.locksMade = false;
}

void KmApplySettings(const KmSettingsRecord& record) {
  HookState& state = State();
  Locked hold(state.slotLock);
  for (int slot = 0; slot < 2; ++slot) {
    state.slots.enabled[slot] = record.enabled[slot];
    state.slots.octet3[slot] = record.octet3[slot];
    state.slots.octet4[slot] = record.octet4[slot];
    state.slots.clipSync[slot] = record.clipSync[slot];
    std::memcpy(state.slots.key[slot], record.key[slot], kKmBlockSize);
  }
  state.switchMode = record.switchMode;
}

int KmInstallHooks() {
  HookState& state = State();
  HINSTANCE module = ::GetModuleHandleW(nullptr);
  state.keyboardHook = ::SetWindowsHookExW(WH_KEYBOARD_LL, KmLowLevelKeyboardProc, module, 0);
  if (!state.keyboardHook) return -1;
  state.mouseHook = ::SetWindowsHookExW(WH_MOUSE_LL, KmLowLevelMouseProc, module, 0);
  if (!state.mouseHook) {
    // Half a pair would swallow keys that no StopSwivo could release.
    ::UnhookWindowsHookEx(state.keyboardHook);
    state.keyboardHook = nullptr;
    return -1;
  }
  state.hooksInstalled = true;
  return 0;
}

void KmRemoveHooks() {
  HookState& state = State();
  if (!state.hooksInstalled) return;
  ::UnhookWindowsHookEx(state.keyboardHook);
  ::UnhookWindowsHookEx(state.mouseHook);
  state.keyboardHook = state.mouseHook = nullptr;
  state.hooksInstalled = false;
}

bool KmHooksInstalled() { return State().hooksInstalled; }

LRESULT CALLBACK KmLowLevelKeyboardProc(int code, WPARAM message, LPARAM keyRecord) {
  if (code < 0) return ::CallNextHookEx(nullptr, code, message, keyRecord);
  HookState& state = State();
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(keyRecord);
  const KmHotkeyDecision decision =
      MatchKmHotkey(&state.modifiers, KindOf(message), key->scanCode, key->vkCode, state.switchMode.load());
  switch (decision.hotkey) {
    case KmHotkey::kSwallowPress: return 1;
    case KmHotkey::kShowList: ShowHotkeyList(); break;
    case KmHotkey::kSlot1: SwitchToSlot(0); return 1;
    case KmHotkey::kSlot2: SwitchToSlot(1); return 1;
    case KmHotkey::kReturn: ReturnToLocal(); return 1;
    case KmHotkey::kNone: break;
  }
  const int current = KmCurrentSlot();
  if (current == -1) return ::CallNextHookEx(nullptr, code, message, keyRecord);
  if (decision.action >= 0) {
    state.session.SendKey(static_cast<uint16_t>(decision.action), static_cast<uint16_t>(key->scanCode),
                          static_cast<uint16_t>(key->flags & LLKHF_EXTENDED ? 1 : 0));
  }
  return 1;
}

LRESULT CALLBACK KmLowLevelMouseProc(int code, WPARAM message, LPARAM mouseRecord) {
  if (code >= 0 && KmCurrentSlot() != -1) return 1;
  return ::CallNextHookEx(nullptr, code, message, mouseRecord);
}

void ForwardRawMouseInput(HRAWINPUT input) {
  if (!State().forwardMouse) return;
  alignas(8) BYTE bytes[kRawInputBytes];
  UINT size = sizeof bytes;
  if (::GetRawInputData(input, RID_INPUT, bytes, &size, sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1)) return;
  const auto* raw = reinterpret_cast<const RAWINPUT*>(bytes);
  if (raw->header.dwType != RIM_TYPEMOUSE) return;
  ForwardRawMouse(raw->data.mouse);
}

void ForwardRawMouse(const RAWMOUSE& mouse) {
  HookState& state = State();
  if (!state.forwardMouse || KmCurrentSlot() == -1) return;
  if (!(mouse.usFlags & MOUSE_MOVE_ABSOLUTE) && (mouse.lLastX != 0 || mouse.lLastY != 0)) {
    state.session.SendMouse(mouse.lLastX, mouse.lLastY, kMouseMove);
  }
  switch (mouse.usButtonFlags) {
    case RI_MOUSE_LEFT_BUTTON_DOWN: state.session.SendMouse(0, 0, kMouseLeftDown); break;
    case RI_MOUSE_LEFT_BUTTON_UP: state.session.SendMouse(0, 0, kMouseLeftUp); break;
    case RI_MOUSE_RIGHT_BUTTON_DOWN: state.session.SendMouse(0, 0, kMouseRightDown); break;
    case RI_MOUSE_RIGHT_BUTTON_UP: state.session.SendMouse(0, 0, kMouseRightUp); break;
    case RI_MOUSE_WHEEL: state.session.SendMouse(static_cast<uint16_t>(mouse.usButtonData), 0, kMouseWheel); break;
    default: break;
  }
}

void KmStopControl() {
  HookState& state = State();
  if (state.links.server && state.links.server->abortEvent_) ::SetEvent(state.links.server->abortEvent_);
  if (state.links.controller && state.links.controller->abortEvent_) ::SetEvent(state.links.controller->abortEvent_);
  int old;
  {
    Locked hold(state.switchingLock);
    old = state.currentSlot;
    state.currentSlot = -1;
  }
  if (old == -1) return;
  state.session.SendKey(kKeyReleaseAll, 0, 0);
  state.session.SendState(0, Random());
  state.session.Close();
}

int KmCurrentSlot() {
  Locked hold(State().switchingLock);
  return State().currentSlot;
}

bool KmSlotPeer(int slot, uint8_t* third, uint8_t* fourth, bool* clipSync) {
  if (slot < 0 || slot > 1) return false;
  SlotCopy copy;
  const bool enabled = ReadSlot(slot, &copy);
  *third = copy.octet3[slot];
  *fourth = copy.octet4[slot];
  *clipSync = copy.clipSync[slot] != 0;
  return enabled;
}

void KmClearSwitching() {
  Locked hold(State().switchingLock);
  State().switching = false;
}

void KmSetSessionKey(const SessionValues& session) { State().session.SetSessionKey(session); }

void KmSendState(int slot, uint16_t status) {
  (void)slot;  // the session socket carries the current slot's pairing key
  State().session.SendState(status, Random());
}

void StartSwivo(const KmControllerLinks& links) {
  RAWINPUTDEVICE mouse = {};
  mouse.usUsagePage = kUsagePageGeneric;
  mouse.usUsage = kUsageMouse;
  mouse.dwFlags = RIDEV_INPUTSINK;
  mouse.hwndTarget = links.mainWindow;
  ::RegisterRawInputDevices(&mouse, 1, sizeof mouse);
  State().links = links;
  if (links.mainWindow) ::SendMessageW(links.mainWindow, UM_RELOAD_KM_SETTINGS, 0, 0);
  ::OutputDebugStringA("Installing...\n");
  if (!KmHooksInstalled()) KmInstallHooks();
}

void StopSwivo() {
  // A session left running would keep the peer's keys pressed and its input forwarded.
  KmStopControl();
  State().forwardMouse = false;
  ::OutputDebugStringA("Uninstall\n");
  KmRemoveHooks();
}
