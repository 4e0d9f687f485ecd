#include "framework/window_creation_hook.h"

#include "framework/wnd.h"
#include "framework/window_map.h"

namespace {
// The object waiting for the next window this thread creates.
thread_local CWnd* t_pending = nullptr;
thread_local HHOOK t_hook = nullptr;
}  // namespace

WindowCreationHook::WindowCreationHook(CWnd* object) : m_hook(nullptr), m_previousPending(t_pending) {
  t_pending = object;
  if (!t_hook) {
    t_hook = ::SetWindowsHookExW(WH_CBT, HookProc, nullptr, ::GetCurrentThreadId());
    m_hook = t_hook;
  }
}

WindowCreationHook::~WindowCreationHook() {
  t_pending = m_previousPending;
  if (m_hook) {
    ::UnhookWindowsHookEx(m_hook);
    t_hook = nullptr;
  }
}

LRESULT CALLBACK WindowCreationHook::HookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && t_pending) {
    CWnd* object = t_pending;
    t_pending = nullptr;  // only the first window: a dialog's controls follow it
    HWND window = reinterpret_cast<HWND>(wParam);
    object->m_hWnd = window;
    window_map::Add(window, object);
    object->RouteMessagesHere();
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
