// Looks at and drives a running Corvane from another process, as the system tests need it: finds
// its main window, reads its texts and state, selects a tab or a language with the messages a
// click sends, answers the Yes/No question, opens the tray menu, takes screenshots, and holds the
// instance marker for a while in place of a slow old instance. The window commands act on a page
// or dialog named by a control it holds ("page:ID", "dialog:ID"): they read its controls and list
// rows, click, type, pick combo entries and double-click list rows as a user would.
// Usage: corvane_probe COMMAND [ARGS]; exit 0 on success, 1 when what was looked for is not there.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
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

// A control's text as its own window procedure gives it (an edit's content, not its creation text).
std::wstring LiveTextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 3000, &copied))
    return TextOf(window);
  return text;
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

// The main window's tab page ("page:ID") or a visible top-level dialog ("dialog:ID") that holds
// control ID; null when there is none.
HWND FindTarget(const std::wstring& spec) {
  const size_t colon = spec.find(L':');
  if (colon == std::wstring::npos) return nullptr;
  const std::wstring kind = spec.substr(0, colon);
  const int id = std::stoi(spec.substr(colon + 1));
  if (kind == L"page") {
    std::vector<HWND> mains = MainWindows();
    return mains.empty() ? nullptr : PageWithControl(mains.front(), id);
  }
  if (kind != L"dialog") return nullptr;
  for (HWND window : TopLevelWindows()) {
    if (ClassOf(window) == L"#32770" && ::IsWindowVisible(window) && ::GetDlgItem(window, id)) return window;
  }
  return nullptr;
}

HWND WaitForTarget(const std::wstring& spec, double seconds) {
  DWORD deadline = ::GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    if (HWND target = FindTarget(spec)) return target;
    if (static_cast<LONG>(::GetTickCount() - deadline) > 0) return nullptr;
    ::Sleep(50);
  }
}

// A visible top-level window with this caption.
HWND FindDialog(const std::wstring& caption, double seconds) {
  DWORD deadline = ::GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    for (HWND window : TopLevelWindows()) {
      if (::IsWindowVisible(window) && TextOf(window) == caption) return window;
    }
    if (static_cast<LONG>(::GetTickCount() - deadline) > 0) return nullptr;
    ::Sleep(50);
  }
}

// Memory in the process that owns a window: list view messages carry pointers that are not
// carried across processes.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, SIZE_T size) : size_(size) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    process_ = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    if (process_) at_ = ::VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (at_) ::VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
    if (process_) ::CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  bool ok() const { return at_ != nullptr; }
  char* at(SIZE_T offset = 0) const { return static_cast<char*>(at_) + offset; }
  bool Write(SIZE_T offset, const void* data, SIZE_T bytes) const {
    return offset + bytes <= size_ && ::WriteProcessMemory(process_, at(offset), data, bytes, nullptr);
  }
  bool Read(SIZE_T offset, void* data, SIZE_T bytes) const {
    return offset + bytes <= size_ && ::ReadProcessMemory(process_, at(offset), data, bytes, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* at_ = nullptr;
  SIZE_T size_;
};

// The row's column texts joined with "|".
std::wstring ListRowText(HWND list, int row) {
  constexpr int kChars = 512;
  RemoteBuffer remote(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  if (!remote.ok()) return L"?";
  HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
  int columns = header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  std::wstring joined;
  for (int column = 0; column < (columns > 0 ? columns : 1); ++column) {
    LVITEMW item = {};
    item.iSubItem = column;
    item.cchTextMax = kChars;
    item.pszText = reinterpret_cast<wchar_t*>(remote.at(sizeof(LVITEMW)));
    wchar_t text[kChars] = {};
    remote.Write(0, &item, sizeof item);
    remote.Write(sizeof(LVITEMW), text, sizeof(wchar_t));
    ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote.at()));
    remote.Read(sizeof(LVITEMW), text, sizeof text - sizeof(wchar_t));
    if (column) joined += L"|";
    joined += text;
  }
  return joined;
}

// Every child: "child ID CLASS shown|hidden enabled|disabled TEXT", each combo box entry as
// "item ID N TEXT" and each list row as "row ID N COLUMNS".
void PrintControls(HWND window) {
  struct Walk {
    static BOOL CALLBACK Child(HWND child, LPARAM) {
      const int id = ::GetDlgCtrlID(child);
      PrintUtf8(L"child " + std::to_wstring(id) + L" " + ClassOf(child) + L" " +
                (::IsWindowVisible(child) ? L"shown " : L"hidden ") +
                (::IsWindowEnabled(child) ? L"enabled " : L"disabled ") + LiveTextOf(child));
      if (ClassOf(child) == WC_COMBOBOXW) {
        const int items = static_cast<int>(::SendMessageW(child, CB_GETCOUNT, 0, 0));
        for (int item = 0; item < items; ++item) {
          wchar_t text[256] = {};
          if (::SendMessageW(child, CB_GETLBTEXTLEN, item, 0) < 256) ::SendMessageW(child, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
          PrintUtf8(L"item " + std::to_wstring(id) + L" " + std::to_wstring(item) + L" " + text);
        }
      }
      if (ClassOf(child) == WC_LISTVIEWW) {
        const int rows = static_cast<int>(::SendMessageW(child, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < rows; ++row)
          PrintUtf8(L"row " + std::to_wstring(id) + L" " + std::to_wstring(row) + L" " + ListRowText(child, row));
      }
      return TRUE;
    }
  };
  ::EnumChildWindows(window, Walk::Child, 0);
}

// A click, or a double-click, on the row, where a user would put it.
bool ClickRow(HWND list, int row, bool twice) {
  RemoteBuffer remote(list, sizeof(RECT));
  RECT rect = {};
  rect.left = LVIR_LABEL;
  if (!remote.ok() || !remote.Write(0, &rect, sizeof rect) ||
      !::SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote.at())) ||
      !remote.Read(0, &rect, sizeof rect)) {
    return false;
  }
  LPARAM at = MAKELPARAM(rect.left + 4, (rect.top + rect.bottom) / 2);
  ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(list, WM_LBUTTONUP, 0, at);
  if (twice) {
    ::PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::PostMessageW(list, WM_LBUTTONUP, 0, at);
  }
  return true;
}

// Every row's texts, read until two reads in a row agree: the program may rewrite a row between
// the messages that read its columns.
std::vector<std::wstring> SteadyRows(HWND list) {
  std::vector<std::wstring> last;
  for (int attempt = 0; attempt < 20; ++attempt) {
    std::vector<std::wstring> rows;
    const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) rows.push_back(ListRowText(list, row));
    if (rows == last) break;
    last = rows;
  }
  return last;
}

// Where a colour is on a control as the screen shows it: the topmost pixel row holding it (-1 when
// none does) and the control's height.
bool ColourExtent(HWND control, COLORREF colour, int* top, int* height) {
  RECT rect;
  if (!::GetWindowRect(control, &rect)) return false;
  const int width = rect.right - rect.left;
  *height = rect.bottom - rect.top;
  *top = -1;
  if (width <= 0 || *height <= 0) return true;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, *height);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, *height, screen, rect.left, rect.top, SRCCOPY);
  ::SelectObject(memory, old);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -*height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(*height));
  ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(*height), pixels.data(), &info, DIB_RGB_COLORS);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  for (size_t i = 0; i < pixels.size(); ++i) {
    if ((pixels[i] & 0xFFFFFF) == wanted) {
      *top = static_cast<int>(i / static_cast<size_t>(width));
      break;
    }
  }
  return true;
}

void PrintCentre(const RECT& rect) {
  std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

std::wstring ListCell(HWND list, RemoteBuffer& buffer, int row, int column) {
  constexpr size_t kTextOffset = 256;
  LVITEMW item = {};
  item.iSubItem = column;
  item.cchTextMax = 255;
  item.pszText = reinterpret_cast<wchar_t*>(buffer.at(kTextOffset));
  buffer.Write(0, &item, sizeof item);
  const LRESULT length = ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.at(0)));
  wchar_t text[256] = {};
  if (length > 0) buffer.Read(kTextOffset, text, static_cast<size_t>(length) * sizeof(wchar_t));
  return text;
}

int Fail(const char* why) {
  std::printf("%s\n", why);
  return 1;
}

int Usage() {
  std::fprintf(stderr,
               "usage: corvane_probe wait-main SECONDS | hold-front SECONDS | count-main | state | minimize | quit | texts |\n"
               "       select-tab INDEX | select-language INDEX | answer-yes SECONDS | tray-menu |\n"
               "       tray-message WPARAM LPARAM | tray-event workarea|taskbar-created|forget | tray-icon | balloon | key VK | screenshot NAME [main|screen] | hold-marker SECONDS |\n"
               "       controls TARGET SECONDS | click TARGET BUTTON SECONDS | type TARGET EDIT TEXT |\n"
               "       pick TARGET COMBO INDEX | activate-row TARGET LIST ROW | select-row TARGET LIST ROW |\n"
               "       watch-text TARGET CONTROL SECONDS | watch-rows TARGET LIST SECONDS | colour-top TARGET CONTROL RRGGBB |\n"
               "       wait-gone TARGET SECONDS | shot TARGET NAME | close TARGET    (TARGET: page:ID or dialog:ID) |\n"
               "       raise | point MARKER ID | press MARKER ID | rows MARKER LIST | row-point MARKER LIST TEXT | dialog CAPTION SECONDS |\n"
               "       dialog-point CAPTION ID | dialog-press CAPTION ID | dialog-visible CAPTION ID | dialog-shot CAPTION NAME\n"
               "       (MARKER: a control id that tells the page)\n");
  return 2;
}

int TargetCommand(const std::wstring& command, int argc, wchar_t** argv) {
  const std::wstring spec = argv[2];
  auto arg = [&](int i) { return i < argc ? std::wstring(argv[i]) : std::wstring(); };
  auto seconds = [&](int i) { return i < argc ? std::wcstod(argv[i], nullptr) : 10.0; };
  if (command == L"wait-gone") {
    DWORD deadline = ::GetTickCount() + static_cast<DWORD>(seconds(3) * 1000);
    while (FindTarget(spec)) {
      if (static_cast<LONG>(::GetTickCount() - deadline) > 0) return Fail("still there");
      ::Sleep(100);
    }
    return 0;
  }
  const double wait = command == L"controls" ? seconds(3) : command == L"click" ? seconds(4) : 10.0;
  HWND target = WaitForTarget(spec, wait);
  if (!target) return Fail("no such window");
  if (command == L"controls") {
    PrintUtf8(L"caption " + TextOf(target));
    PrintControls(target);
    return 0;
  }
  if (command == L"shot") return SaveWindowPng(target, arg(3)) ? 0 : Fail("not saved");
  if (command == L"close") {  // the caption's close box
    ::PostMessageW(target, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  HWND control = argc > 3 ? ::GetDlgItem(target, std::stoi(arg(3))) : nullptr;
  if (!control) return Fail("no such control");
  if (command == L"click") {
    // A disabled button takes no click: wait until the dialog lets the user press it.
    DWORD deadline = ::GetTickCount() + static_cast<DWORD>(wait * 1000);
    while (!::IsWindowEnabled(control) || !::IsWindowEnabled(target) || !::IsWindowVisible(control)) {
      if (static_cast<LONG>(::GetTickCount() - deadline) > 0) return Fail("the button stays disabled");
      ::Sleep(50);
    }
    ::PostMessageW(control, BM_CLICK, 0, 0);
    return 0;
  }
  if (command == L"type") {
    // The edit tells its dialog of the change (EN_CHANGE), as typing does.
    ::SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg(4).c_str()));
    return 0;
  }
  if (command == L"pick") {
    ::SendMessageW(control, CB_SETCURSEL, std::stoi(arg(4)), 0);
    ::SendMessageW(target, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(control), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(control));
    return 0;
  }
  if (command == L"activate-row" || command == L"select-row") {
    return ClickRow(control, std::stoi(arg(4)), command == L"activate-row") ? 0 : Fail("no such row");
  }
  if (command == L"watch-rows") {
    // Each row text that the list did not show at the previous look, until the list goes or the
    // time is up: a row that only moves (the list sorted anew) is not printed again.
    DWORD deadline = ::GetTickCount() + static_cast<DWORD>(seconds(4) * 1000);
    std::vector<std::wstring> last;
    // Tells a test started in the background that the first look is under way.
    std::printf("watching\n");
    while (::IsWindow(control) && static_cast<LONG>(::GetTickCount() - deadline) < 0) {
      std::vector<std::wstring> rows = SteadyRows(control);
      for (const std::wstring& row : rows) {
        if (std::find(last.begin(), last.end(), row) == last.end()) PrintUtf8(L"row " + row);
      }
      std::fflush(stdout);
      last = rows;
      ::Sleep(100);
    }
    return 0;
  }
  if (command == L"colour-top") {
    int top = -1, height = 0;
    const COLORREF colour = static_cast<COLORREF>(std::wcstoul(arg(4).c_str(), nullptr, 16));
    if (!ColourExtent(control, RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF), &top, &height))
      return Fail("no rectangle");
    std::printf("top %d height %d\n", top, height);
    return 0;
  }
  if (command == L"watch-text") {
    // Each new text of the control, until its window goes or the time is up.
    DWORD deadline = ::GetTickCount() + static_cast<DWORD>(seconds(4) * 1000);
    std::wstring last = L"\x1";
    while (::IsWindow(control) && static_cast<LONG>(::GetTickCount() - deadline) < 0) {
      std::wstring text = LiveTextOf(control);
      if (text != last) {
        PrintUtf8(L"text " + text);
        std::fflush(stdout);
        last = text;
      }
      ::Sleep(10);
    }
    return 0;
  }
  return Usage();
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

  if (argc >= 3 && std::wcschr(argv[2], L':')) return TargetCommand(command, argc, argv);

  if (command.rfind(L"dialog", 0) == 0) {
    // The dialogs a page opens: found by their caption.
    const std::wstring caption = argc > 2 ? argv[2] : L"";
    HWND dialog = FindDialog(caption, command == L"dialog" ? number(3) : 5);
    if (!dialog) return Fail("no such dialog");
    RECT rect;
    ::GetWindowRect(dialog, &rect);
    if (command == L"dialog") {
      std::printf("dialog %ld %ld\n", rect.right - rect.left, rect.bottom - rect.top);
      return 0;
    }
    if (command == L"dialog-shot") return SaveWindowPng(dialog, argc > 3 ? argv[3] : L"dialog") ? 0 : Fail("not saved");
    HWND control = ::GetDlgItem(dialog, static_cast<int>(number(3)));
    if (!control) return Fail("no such control");
    if (command == L"dialog-visible") {
      std::printf("%d\n", ::IsWindowVisible(control) ? 1 : 0);
      return 0;
    }
    if (command == L"dialog-press") {
      ::PostMessageW(control, BM_CLICK, 0, 0);
      return 0;
    }
    if (command == L"dialog-point") {
      ::GetWindowRect(control, &rect);
      PrintCentre(rect);
      return 0;
    }
    return Usage();
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
    // A loaded computer may show the page later than the next step's click: then once more, slowly.
    for (DWORD pause : {60, 400}) {
      for (int x = 6; x < client.right; x += 8) {
        ClickTab(tabs, x);
        ::Sleep(pause);
        if (::IsWindowVisible(page)) {
          ::Sleep(300);
          return 0;
        }
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
  if (command == L"raise") {
    // In front of the other computers' windows on the shared display.
    ::SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetWindowPos(main, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(main);
    return 0;
  }
  if (command == L"point" || command == L"press" || command == L"rows" || command == L"row-point") {
    HWND page = PageWithControl(main, static_cast<int>(number(2)));
    if (!page) return Fail("no such page");
    HWND control = ::GetDlgItem(page, static_cast<int>(number(3)));
    if (!control) return Fail("no such control");
    if (command == L"point") {
      RECT rect;
      ::GetWindowRect(control, &rect);
      PrintCentre(rect);
      return 0;
    }
    if (command == L"press") {
      ::PostMessageW(control, BM_CLICK, 0, 0);
      return 0;
    }
    RemoteBuffer buffer(control, 1024);
    if (!buffer.ok()) return Fail("cannot reach the list's process");
    const int count = static_cast<int>(::SendMessageW(control, LVM_GETITEMCOUNT, 0, 0));
    HWND header = reinterpret_cast<HWND>(::SendMessageW(control, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    for (int row = 0; row < count; ++row) {
      if (command == L"rows") {
        std::wstring line;
        for (int column = 0; column < columns; ++column) line += (column ? L"|" : L"") + ListCell(control, buffer, row, column);
        PrintUtf8(line);
      } else if (argc > 4 && ListCell(control, buffer, row, 1) == argv[4]) {
        RECT rect = {};
        rect.left = LVIR_BOUNDS;
        buffer.Write(0, &rect, sizeof rect);
        ::SendMessageW(control, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.at(0)));
        buffer.Read(0, &rect, sizeof rect);
        ::MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        PrintCentre(rect);
        return 0;
      }
    }
    return command == L"rows" ? 0 : Fail("no such row");
  }
  if (command == L"screenshot") {
    std::wstring what = argc > 3 ? argv[3] : L"main";
    HWND window = what == L"screen" ? ::GetDesktopWindow() : main;
    return SaveWindowPng(window, argv[2]) ? 0 : Fail("not saved");
  }
  return Usage();
}
