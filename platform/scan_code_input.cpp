#include "platform/scan_code_input.h"

bool ScanCodeInputNeedsVirtualKey() {
  // Wine's user32 drops scan-code inputs without a virtual key; only Wine's ntdll exports this.
  static const bool needed = [] {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return needed;
}

void FillVirtualKeyFromScanCode(INPUT* input) {
  if (input->type != INPUT_KEYBOARD) return;
  KEYBDINPUT& key = input->ki;
  if (!(key.dwFlags & KEYEVENTF_SCANCODE) || key.wVk != 0) return;
  const UINT scan = (key.dwFlags & KEYEVENTF_EXTENDEDKEY) ? 0xE000u | key.wScan : key.wScan;
  WORD vk = static_cast<WORD>(::MapVirtualKeyW(scan, MAPVK_VSC_TO_VK_EX));
  // Wine maps the extended Ctrl and Alt scan codes to the left keys; they are the right ones.
  if (key.dwFlags & KEYEVENTF_EXTENDEDKEY) {
    if (vk == VK_LCONTROL) vk = VK_RCONTROL;
    if (vk == VK_LMENU) vk = VK_RMENU;
  }
  key.wVk = vk;
}

UINT SendScanCodeAwareInput(const INPUT& input) {
  INPUT sent = input;
  if (ScanCodeInputNeedsVirtualKey()) FillVirtualKeyFromScanCode(&sent);
  return ::SendInput(1, &sent, sizeof sent);
}
