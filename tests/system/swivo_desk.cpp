// What the Swivo system test needs of a computer's desktop, from a process of that prefix:
//   swivo_desk record SECONDS     a window in front that prints "down SCAN", "up SCAN" (hex, 0x100
//                                 for extended keys) and "move X Y" where the pointer goes; "ready" first
//   swivo_desk pressed            prints the virtual keys held down ("pressed VK"), or "none"
//   swivo_desk notice TEXT SECS   waits for a visible window whose text or a child's holds TEXT
//   swivo_desk send N WPARAM LPARAM
//                                 SendMessage WM_USER+N to Corvane's main window
// Exit code 0 on success, 1 when what was looked for did not come.
#include <windows.h>

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kTabControlId = 3001;

void Say(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::printf("\n");
  std::fflush(stdout);
}

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
      Say("%s 0x%x", down ? "down" : "up", static_cast<unsigned>((lParam >> 16) & 0x1FF));
      return 0;
    }
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

int Record(int seconds) {
  WNDCLASSW cls = {};
  cls.lpfnWndProc = RecorderProc;
  cls.hInstance = ::GetModuleHandleW(nullptr);
  cls.lpszClassName = L"SwivoRecorder";
  cls.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  ::RegisterClassW(&cls);
  HWND window = ::CreateWindowExW(0, cls.lpszClassName, L"Swivo recorder", WS_POPUP | WS_VISIBLE, 200, 200, 600,
                                  400, nullptr, nullptr, cls.hInstance, nullptr);
  ::SetForegroundWindow(window);
  ::SetFocus(window);
  Say("ready");
  const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  POINT last = {LONG_MIN, LONG_MIN};
  while (::GetTickCount64() < end) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    // The pointer wherever it goes, in the window's client coordinates: a replayed move that takes
    // it off the window still counts, where the window's own mouse messages would stop.
    POINT at;
    if (::GetCursorPos(&at) && ::ScreenToClient(window, &at) && (at.x != last.x || at.y != last.y)) {
      Say("move %ld %ld", at.x, at.y);
      last = at;
    }
    // Replayed input goes to the window in front: stay there.
    if (::GetForegroundWindow() != window) ::SetForegroundWindow(window);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return 0;
}

int Pressed() {
  bool any = false;
  for (int vk = 1; vk < 256; ++vk) {
    if (vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON) continue;
    if (::GetAsyncKeyState(vk) & 0x8000) {
      Say("pressed 0x%x", vk);
      any = true;
    }
  }
  if (!any) Say("none");
  return 0;
}

bool HoldsText(HWND window, const std::wstring& wanted) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  if (std::wcsstr(text, wanted.c_str())) return true;
  struct Search {
    const std::wstring* wanted;
    bool found;
  } search = {&wanted, false};
  ::EnumChildWindows(window, [](HWND child, LPARAM param) -> BOOL {
    auto* s = reinterpret_cast<Search*>(param);
    wchar_t childText[512] = {};
    ::GetWindowTextW(child, childText, 512);
    if (::IsWindowVisible(child) && std::wcsstr(childText, s->wanted->c_str())) s->found = true;
    return !s->found;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int Notice(const std::wstring& text, int seconds) {
  Say("watching");
  const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  while (::GetTickCount64() < end) {
    std::vector<HWND> windows;
    ::EnumWindows([](HWND window, LPARAM list) -> BOOL {
      if (::IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
      return TRUE;
    }, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
      if (HoldsText(window, text)) {
        Say("notice");
        return 0;
      }
    }
    ::Sleep(50);
  }
  Say("no notice");
  return 1;
}

HWND MainWindow() {
  HWND found = nullptr;
  ::EnumWindows([](HWND window, LPARAM out) -> BOOL {
    wchar_t cls[64] = {};
    ::GetClassNameW(window, cls, 64);
    if (std::wcscmp(cls, L"#32770") == 0 && ::GetDlgItem(window, kTabControlId)) {
      *reinterpret_cast<HWND*>(out) = window;
      return FALSE;
    }
    return TRUE;
  }, reinterpret_cast<LPARAM>(&found));
  return found;
}

int Send(UINT offset, WPARAM wParam, LPARAM lParam) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (HWND main = MainWindow()) {
      ::SendMessageW(main, WM_USER + offset, wParam, lParam);
      Say("sent");
      return 0;
    }
    ::Sleep(100);
  }
  Say("no main window");
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"record" && argc == 3) return Record(_wtoi(argv[2]));
  if (command == L"pressed" && argc == 2) return Pressed();
  if (command == L"notice" && argc == 4) return Notice(argv[2], _wtoi(argv[3]));
  if (command == L"send" && argc == 5) {
    return Send(static_cast<UINT>(_wtoi(argv[2])), static_cast<WPARAM>(_wtoi(argv[3])), static_cast<LPARAM>(_wtoi(argv[4])));
  }
  Say("usage: swivo_desk record SECONDS | pressed | notice TEXT SECONDS | send N WPARAM LPARAM");
  return 2;
}
