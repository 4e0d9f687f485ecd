// Binds a window to its object at the moment the system creates it, before its first message,
// whatever its class's window procedure is (DefWindowProc, a dialog's, a control's). A
// computer-based training hook of the calling thread sees the creation; it lives only while one
// creation call runs.
#pragma once
#include <windows.h>

class CWnd;

class WindowCreationHook {
 public:
  explicit WindowCreationHook(CWnd* object);
  ~WindowCreationHook();
  WindowCreationHook(const WindowCreationHook&) = delete;
  WindowCreationHook& operator=(const WindowCreationHook&) = delete;

 private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
  HHOOK m_hook;
  CWnd* m_previousPending;  // creations may nest (a window created inside WM_CREATE)
};
