#include "controls/keyboard_hook.h"

#include <new>

KeyboardHook& KeyboardHook::Instance() {
  static KeyboardHook instance;
  return instance;
}

KeyboardHook::KeyboardHook() {
  InitializeCriticalSection(&lock_);
  hook_ = SetWindowsHookExW(WH_KEYBOARD, &KeyboardHook::HookProc, nullptr, GetCurrentThreadId());
}

KeyboardHook::~KeyboardHook() {
  if (hook_) UnhookWindowsHookEx(hook_);
  DeleteCriticalSection(&lock_);
}

bool KeyboardHook::Add(Notify* listener) {
  EnterCriticalSection(&lock_);
  bool added = true;
  try {
    listeners_.insert(listener);
  } catch (const std::bad_alloc&) {
    added = false;
  }
  LeaveCriticalSection(&lock_);
  return added;
}

void KeyboardHook::Remove(Notify* listener) {
  EnterCriticalSection(&lock_);
  listeners_.erase(listener);
  LeaveCriticalSection(&lock_);
}

bool KeyboardHook::IsRegistered(Notify* listener) {
  EnterCriticalSection(&lock_);
  const bool found = listeners_.count(listener) != 0;
  LeaveCriticalSection(&lock_);
  return found;
}

void KeyboardHook::KeyDown(WPARAM wParam, LPARAM lParam) {
  EnterCriticalSection(&lock_);
  // The successor is taken before the call, so a listener may remove itself while it is told.
  for (auto it = listeners_.begin(); it != listeners_.end();) {
    Notify* listener = *it;
    ++it;
    listener->OnKeyDown(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
  }
  LeaveCriticalSection(&lock_);
}

LRESULT CALLBACK KeyboardHook::HookProc(int code, WPARAM wParam, LPARAM lParam) {
  const bool keyGoesDown = (static_cast<DWORD>(lParam) & 0x80000000u) == 0;
  if (code == HC_ACTION && keyGoesDown) Instance().KeyDown(wParam, lParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
