#include "peers/km_input_replay.h"

#include "peers/lan_message.h"
#include "platform/scan_code_input.h"

namespace {

constexpr uint16_t kScanLeftWindows = 0x5B;
constexpr uint16_t kScanRightWindows = 0x5C;

INPUT ScanCodeKey(uint16_t scanCode, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = 0;
  input.ki.wScan = scanCode;
  input.ki.dwFlags = KEYEVENTF_SCANCODE | flags;
  return input;
}

// The Windows keys are extended keys: without the flag their release is that of another key and a
// Windows key pressed on the controller stays down here.
DWORD ExtendedFlagOf(uint16_t scanCode) {
  return scanCode == kScanLeftWindows || scanCode == kScanRightWindows ? KEYEVENTF_EXTENDEDKEY : 0;
}

}  // namespace

std::vector<INPUT> KmKeyInputs(uint8_t action, uint16_t scanCode, uint8_t keyFlags) {
  if (action == kKeyReleaseAll) {
    struct Release {
      uint16_t scan;
      DWORD extended;
    };
    const Release releases[] = {{0x1D, 0}, {0x38, 0}, {0x1D, KEYEVENTF_EXTENDEDKEY}, {0x38, KEYEVENTF_EXTENDEDKEY},
                                {0x2A, 0}, {0x36, 0}, {kScanLeftWindows, KEYEVENTF_EXTENDEDKEY},
                                {kScanRightWindows, KEYEVENTF_EXTENDEDKEY}};
    std::vector<INPUT> inputs;
    for (const Release& release : releases) inputs.push_back(ScanCodeKey(release.scan, KEYEVENTF_KEYUP | release.extended));
    return inputs;
  }
  DWORD flags = 0;
  if (keyFlags & 1) flags |= KEYEVENTF_EXTENDEDKEY;
  if (action == kKeyUp) flags |= KEYEVENTF_KEYUP;
  return {ScanCodeKey(scanCode, flags)};
}

INPUT KmMouseInput(uint16_t kind, int32_t dx, int32_t dy) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  switch (kind) {
    case kMouseMove:
      input.mi.dwFlags = MOUSEEVENTF_MOVE;
      input.mi.dx = dx;
      input.mi.dy = dy;
      break;
    case kMouseLeftDown: input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN; break;
    case kMouseLeftUp: input.mi.dwFlags = MOUSEEVENTF_LEFTUP; break;
    case kMouseRightDown: input.mi.dwFlags = MOUSEEVENTF_RIGHTDOWN; break;
    case kMouseRightUp: input.mi.dwFlags = MOUSEEVENTF_RIGHTUP; break;
    case kMouseWheel:
      input.mi.dwFlags = MOUSEEVENTF_WHEEL;
      input.mi.mouseData = static_cast<DWORD>(static_cast<int16_t>(dx & 0xFFFF));
      break;
    default: break;
  }
  return input;
}

std::vector<INPUT> KmLocalModifierReleaseInputs() {
  std::vector<INPUT> inputs;
  for (uint16_t scan : {0x1D, 0x38, 0x2A, 0x36, 0x5B, 0x5C}) {
    inputs.push_back(ScanCodeKey(scan, KEYEVENTF_KEYUP | ExtendedFlagOf(scan)));
  }
  return inputs;
}

void SendKmInputs(const std::vector<INPUT>& inputs) {
  for (const INPUT& input : inputs) SendScanCodeAwareInput(input);
}
