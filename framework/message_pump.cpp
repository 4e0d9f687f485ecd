#include "framework/message_pump.h"

#include "framework/wnd.h"

bool WalkPreTranslateTree(MSG* msg) {
  HWND desktop = ::GetDesktopWindow();
  for (HWND window = msg->hwnd; window && window != desktop; window = ::GetAncestor(window, GA_PARENT)) {
    if (CWnd* object = CWnd::FromHandlePermanent(window)) {
      if (object->PreTranslateMessage(msg)) return true;
    }
  }
  return false;
}

void TranslateAndDispatch(MSG* msg) {
  if (WalkPreTranslateTree(msg)) return;
  ::TranslateMessage(msg);
  ::DispatchMessageW(msg);
}

bool DispatchPendingMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateAndDispatch(&msg);
  }
  return true;
}

namespace {
// Dispatches the queue; a quit is remembered in *quitCode instead of being posted again at once,
// which would wake the wait again and again.
void DispatchKeepingQuit(bool* quitSeen, WPARAM* quitCode) {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      *quitSeen = true;
      *quitCode = msg.wParam;
      continue;
    }
    TranslateAndDispatch(&msg);
  }
}

DWORD WaitDispatching(DWORD count, const HANDLE* handles, DWORD timeoutMs) {
  bool quitSeen = false;
  WPARAM quitCode = 0;
  DWORD start = ::GetTickCount();
  DWORD outcome = WAIT_TIMEOUT;
  for (;;) {
    DWORD remaining = INFINITE;
    if (timeoutMs != INFINITE) {
      DWORD elapsed = ::GetTickCount() - start;
      if (elapsed >= timeoutMs) { outcome = WAIT_TIMEOUT; break; }
      remaining = timeoutMs - elapsed;
    }
    DWORD woke = ::MsgWaitForMultipleObjects(count, handles, FALSE, remaining, QS_ALLINPUT);
    if (count && woke == WAIT_OBJECT_0) { outcome = WAIT_OBJECT_0; break; }
    if (woke == WAIT_OBJECT_0 + count) { DispatchKeepingQuit(&quitSeen, &quitCode); continue; }
    if (woke == WAIT_TIMEOUT) { outcome = WAIT_TIMEOUT; break; }
    outcome = WAIT_FAILED;
    break;
  }
  if (quitSeen) ::PostQuitMessage(static_cast<int>(quitCode));
  return outcome;
}
}  // namespace

DWORD WaitWithMessages(HANDLE handle, DWORD timeoutMs) { return WaitDispatching(1, &handle, timeoutMs); }

void PumpMessagesFor(DWORD milliseconds) { WaitDispatching(0, nullptr, milliseconds); }
