// Looks at and drives a running Corvane from another process, as the system tests need it: finds
// its main window, reads its texts and state, selects a tab or a language with the messages a
// click sends, answers the Yes/No question, opens the tray menu, takes screenshots, and holds the
// instance marker for a while in place of a slow old instance.
// Usage: corvane_probe COMMAND [ARGS]; exit 0 on success, 1 when what was looked for is not there.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "tests/shell/window_shot.h"

namespace {

constexpr int kTabControlId = 3001;
constexpr int kFirstPageId = 3010;
constexpr int kLanguageCombo = 1020;
constexpr int kYesButton = 1067;
constexpr UINT kTrayNotify = WM_APP + 10;
constexpr UINT kTrayIconId = 139;
constexpr UINT kSysMenuQuit = 0x20;  // the system menu's Quit

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  ::EnumWindows([](HWND window, LPARAM list) -> BOOL {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  ::GetClassNameW(window, name, 128);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  return text;
}

// Corvane's main dialogs: dialogs that carry the tab control.
std::vector<HWND> MainWindows() {
  std::vector<HWND> found;
  for (HWND window : TopLevelWindows()) {
    if (ClassOf(window) == L"#32770" && ::GetDlgItem(window, kTabControlId) && ::IsWindowVisible(window)) {
      found.push_back(window);
    }
  }
  return found;
}

HWND WaitForMain(double seconds) {
  DWORD deadline = ::GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    std::vector<HWND> windows = MainWindows();
    if (!windows.empty()) return windows.front();
    if (static_cast<LONG>(::GetTickCount() - deadline) > 0) return nullptr;
    ::Sleep(50);
  }
}

void PrintUtf8(const std::wstring& text) {
  int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], bytes, nullptr, nullptr);
  std::fputs(out.c_str(), stdout);
  std::fputs("\n", stdout);
}

// The page that holds control id, among the tab control's pages.
HWND PageWithControl(HWND main, int id) {
  HWND tabs = ::GetDlgItem(main, kTabControlId);
  for (HWND page = ::GetWindow(tabs, GW_CHILD); page; page = ::GetWindow(page, GW_HWNDNEXT)) {
    if (::GetDlgItem(page, id)) return page;
  }
  return nullptr;
}

// The tray icon's hidden window: a window of the main window's process that answers the icon's
// callback; it has no title and no size.
std::vector<HWND> ProcessPopups(HWND main) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(main, &process);
  std::vector<HWND> popups;
  for (HWND window : TopLevelWindows()) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == process && window != main && ClassOf(window).rfind(L"CorvaneWnd", 0) == 0) popups.push_back(window);
  }
  return popups;
}

void ClickTab(HWND tabs, int x) {
  LPARAM at = MAKELPARAM(x, 10);
  ::PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(tabs, WM_LBUTTONUP, 0, at);
}

int Fail(const char* why) {
  std::printf("%s\n", why);
  return 1;
}

int Usage() {
  std::fprintf(stderr,
               "usage: corvane_probe wait-main SECONDS | hold-front SECONDS | count-main | state | minimize | quit | texts |\n"
               "       select-tab INDEX | select-language INDEX | answer-yes SECONDS | tray-menu |\n"
               "       tray-message WPARAM LPARAM | tray-event workarea|taskbar-created|forget | tray-icon | balloon | key VK | screenshot NAME [main|screen] | hold-marker SECONDS\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  std::wstring command = argv[1];
  auto number = [&](int i) { return i < argc ? std::wcstod(argv[i], nullptr) : 0.0; };

  if (command == L"hold-marker") {
    HANDLE marker = ::CreateEventW(nullptr, FALSE, FALSE, L"Global\\Lanvex_1cda8387");
    if (!marker) return Fail("cannot create the marker");
    std::printf("holding\n");
    std::fflush(stdout);
    ::Sleep(static_cast<DWORD>(number(2) * 1000));
    ::CloseHandle(marker);
    std::printf("released\n");
    return 0;
  }
  if (command == L"hold-front") {
    // A window of another program in front, kept there for the given seconds.
    HWND other = ::CreateWindowExW(0, L"STATIC", L"Another program", WS_POPUP | WS_VISIBLE | WS_BORDER, 600, 500, 200,
                                   80, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    std::printf("front %d\n", ::GetForegroundWindow() == other ? 1 : 0);
    std::fflush(stdout);
    DWORD end = ::GetTickCount() + static_cast<DWORD>(number(2) * 1000);
    MSG msg;
    while (static_cast<LONG>(::GetTickCount() - end) < 0) {
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
      ::Sleep(20);
    }
    return 0;
  }
  if (command == L"tray-icon") {
    // Whether the virtual desktop's notification area (the taskbar's right end) shows an icon:
    // pixels that are not the taskbar's own colour.
    HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!taskbar) return Fail("no taskbar");
    RECT bar;
    ::GetWindowRect(taskbar, &bar);
    HDC screen = ::GetDC(nullptr);
    COLORREF background = ::GetPixel(screen, bar.right - 60, bar.top + 3);
    int differing = 0;
    for (int y = bar.top + 2; y < bar.bottom - 2; ++y) {
      for (int x = bar.right - 40; x < bar.right - 2; ++x) differing += ::GetPixel(screen, x, y) != background;
    }
    ::ReleaseDC(nullptr, screen);
    std::printf("icon %d\n", differing > 30 ? 1 : 0);
    return 0;
  }
  if (command == L"balloon") {
    int shown = 0;
    for (HWND window : TopLevelWindows()) {
      if (ClassOf(window) == L"tooltips_class32" && ::IsWindowVisible(window) &&
          (::GetWindowLongW(window, GWL_STYLE) & TTS_BALLOON)) {
        shown = 1;
      }
    }
    std::printf("balloon %d\n", shown);
    return 0;
  }
  if (command == L"count-main") {
    std::printf("%zu\n", MainWindows().size());
    return 0;
  }
  if (command == L"wait-main") {
    HWND main = WaitForMain(number(2));
    if (!main) return Fail("no main window");
    DWORD process = 0;
    ::GetWindowThreadProcessId(main, &process);
    std::printf("main %p pid %lu\n", static_cast<void*>(main), process);
    return 0;
  }
  if (command == L"key") {
    INPUT key[2] = {};
    key[0].type = key[1].type = INPUT_KEYBOARD;
    key[0].ki.wVk = key[1].ki.wVk = static_cast<WORD>(number(2));
    key[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, key, sizeof(INPUT));
    return 0;
  }

  HWND main = WaitForMain(5);
  if (!main) return Fail("no main window");
  if (command == L"state") {
    std::printf("iconic %d foreground %d\n", ::IsIconic(main) ? 1 : 0, ::GetForegroundWindow() == main ? 1 : 0);
    return 0;
  }
  if (command == L"minimize") {
    ::SendMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    return 0;
  }
  if (command == L"quit") {  // the system menu's Quit
    ::PostMessageW(main, WM_SYSCOMMAND, kSysMenuQuit, 0);
    return 0;
  }
  if (command == L"texts") {
    PrintUtf8(L"caption " + TextOf(main));
    struct Walk {
      static BOOL CALLBACK Child(HWND child, LPARAM) {
        PrintUtf8(L"child " + std::to_wstring(::GetDlgCtrlID(child)) + L" " + ClassOf(child) + L" " +
                  (::IsWindowVisible(child) ? L"shown " : L"hidden ") + TextOf(child));
        return TRUE;
      }
    };
    ::EnumChildWindows(main, Walk::Child, 0);
    return 0;
  }
  if (command == L"select-tab") {
    // Tabs share the strip's width equally: step along it until the page of the index shows.
    int index = static_cast<int>(number(2));
    HWND tabs = ::GetDlgItem(main, kTabControlId);
    HWND page = ::GetDlgItem(tabs, kFirstPageId + index);
    if (!page) return Fail("no such page");
    RECT client;
    ::GetClientRect(tabs, &client);
    for (int x = 6; x < client.right; x += 8) {
      ClickTab(tabs, x);
      ::Sleep(60);
      if (::IsWindowVisible(page)) {
        ::Sleep(300);
        return 0;
      }
    }
    return Fail("the page never showed");
  }
  if (command == L"select-language") {
    HWND page = PageWithControl(main, kLanguageCombo);
    if (!page) return Fail("no language combo");
    HWND combo = ::GetDlgItem(page, kLanguageCombo);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(number(2)), 0);
    // What the combo sends its page when the user picks an entry; posted, for the page then asks.
    ::PostMessageW(page, WM_COMMAND, MAKEWPARAM(kLanguageCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return 0;
  }
  if (command == L"answer-yes") {
    DWORD deadline = ::GetTickCount() + static_cast<DWORD>(number(2) * 1000);
    while (static_cast<LONG>(::GetTickCount() - deadline) < 0) {
      for (HWND window : TopLevelWindows()) {
        HWND yes = ::GetDlgItem(window, kYesButton);
        if (!yes || !::IsWindowVisible(window)) continue;
        PrintUtf8(L"question " + TextOf(window));
        ::PostMessageW(yes, BM_CLICK, 0, 0);
        return 0;
      }
      ::Sleep(50);
    }
    return Fail("no question");
  }
  if (command == L"tray-event") {
    // What the taskbar does to the icon's window: a moved work area, a new taskbar, or (as a
    // restarted Explorer has) no icon of it at all.
    std::wstring event = argc > 2 ? argv[2] : L"";
    std::vector<HWND> popups = ProcessPopups(main);
    if (popups.empty()) return Fail("no tray window");
    for (HWND popup : popups) {
      if (event == L"workarea") {
        ::SendMessageW(popup, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
      } else if (event == L"taskbar-created") {
        ::SendMessageW(popup, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
      } else if (event == L"forget") {
        NOTIFYICONDATAW gone = {};
        gone.cbSize = sizeof(gone);
        gone.hWnd = popup;
        gone.uID = kTrayIconId;
        ::Shell_NotifyIconW(NIM_DELETE, &gone);
      } else {
        return Usage();
      }
    }
    return 0;
  }
  if (command == L"tray-message" || command == L"tray-menu") {
    LPARAM mouse = command == L"tray-menu" ? WM_RBUTTONUP : static_cast<LPARAM>(number(3));
    std::vector<HWND> popups = ProcessPopups(main);
    if (popups.empty()) return Fail("no tray window");
    // The menu opens at the cursor: put it over the notification area, where the click would be.
    if (HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr)) {
      RECT bar;
      ::GetWindowRect(taskbar, &bar);
      ::SetCursorPos(bar.right - 12, (bar.top + bar.bottom) / 2);
    }
    for (HWND popup : popups) ::PostMessageW(popup, kTrayNotify, kTrayIconId, mouse);
    if (command == L"tray-menu") {
      for (int i = 0; i < 100; ++i) {
        HWND menu = ::FindWindowW(L"#32768", nullptr);
        if (menu && ::IsWindowVisible(menu)) return 0;
        ::Sleep(50);
      }
      return Fail("no menu");
    }
    return 0;
  }
  if (command == L"screenshot") {
    std::wstring what = argc > 3 ? argv[3] : L"main";
    HWND window = what == L"screen" ? ::GetDesktopWindow() : main;
    return SaveWindowPng(window, argv[2]) ? 0 : Fail("not saved");
  }
  return Usage();
}
