#include "peers/swivo_notices.h"

namespace {

constexpr wchar_t kNoticeClass[] = L"CorvaneSwivoNotice";
constexpr int kWidth = 320;
constexpr int kLineHeight = 22;
constexpr int kTopLinesY = 10;
constexpr int kIconSize = 32;
constexpr int kTextLeft = 60;
constexpr int kIconLeft = 14;
constexpr int kPopupWidth = 200;
constexpr int kPopupHeight = 40;

ATOM RegisterNoticeClass() {
  static const ATOM atom = [] {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kNoticeClass;
    return ::RegisterClassW(&windowClass);
  }();
  return atom;
}

HWND MakeNoticeWindow(HWND owner, int width, int height) {
  if (!RegisterNoticeClass()) return nullptr;
  return ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kNoticeClass, L"Swivo",
                           WS_POPUP | WS_BORDER, 0, 0, width, height, owner, nullptr, ::GetModuleHandleW(nullptr),
                           nullptr);
}

HWND MakeStatic(HWND parent, int id, DWORD style, int x, int y, int width, int height) {
  return ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

LPCWSTR SystemIconOf(int type) {
  switch (type) {
    case CShowMsgTop::kError: return IDI_ERROR;
    case CShowMsgTop::kHotkey: return IDI_QUESTION;
    case CShowMsgTop::kLocal: return IDI_WARNING;
    default: return IDI_INFORMATION;
  }
}

}  // namespace

bool CShowMsgTop::CreateOnDesktop(HWND owner) {
  window_ = MakeNoticeWindow(owner, kWidth, kTopLinesY + (kLines + 1) * kLineHeight);
  if (!window_) return false;
  for (int line = 0; line < kLines; ++line) {
    const int y = kTopLinesY + line * kLineHeight;
    lines_[line] = MakeStatic(window_, kFirstLineId + line + (line >= 2 ? 1 : 0), SS_LEFT | SS_NOPREFIX, kTextLeft, y,
                              kWidth - kTextLeft - 8, kLineHeight);
  }
  icon_ = MakeStatic(window_, 1116, SS_ICON | WS_VISIBLE, kIconLeft, kTopLinesY, kIconSize, kIconSize);
  ShowStatusIcons();
  return true;
}

void CShowMsgTop::Destroy() {
  if (window_) ::DestroyWindow(window_);
  window_ = nullptr;
}

void CShowMsgTop::ClearLines() {
  for (int line = 0; line < kLines; ++line) {
    ::SetWindowTextW(lines_[line], L"");
    if (line >= 2) ::ShowWindow(lines_[line], SW_SHOW);
  }
}

void CShowMsgTop::SetLine(int line, const std::wstring& text) {
  if (line < 0 || line >= kLines) return;
  ::SetWindowTextW(lines_[line], text.c_str());
  ::ShowWindow(lines_[line], SW_SHOW);
}

void CShowMsgTop::SetLineWithIcon(int line, const std::wstring& text) {
  if (line >= 2 && line < kLines) {
    RECT area;
    ::GetWindowRect(lines_[line], &area);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
    ::SetWindowPos(lines_[line], nullptr, area.left - 30, area.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  SetLine(line, text);
}

std::wstring CShowMsgTop::Line(int line) const {
  if (line < 0 || line >= kLines) return {};
  wchar_t text[256] = {};
  ::GetWindowTextW(lines_[line], text, 256);
  return text;
}

void CShowMsgTop::SetLineCount(int lines) {
  RECT frame;
  ::GetWindowRect(window_, &frame);
  ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, kTopLinesY * 2 + lines * kLineHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CShowMsgTop::ShowStatusIcons() {
  static const char* const kNames[] = {"TOP_SHOW_ICON_TYPE_DEFAULT\r\n", "TOP_SHOW_ICON_TYPE_KM_CLI\r\n",
                                       "TOP_SHOW_ICON_TYPE_KM_SRV\r\n", "TOP_SHOW_ICON_TYPE_KM_LOCAL\r\n",
                                       "TOP_SHOW_ICON_TYPE_KM_ERROR\r\n", "TOP_SHOW_ICON_TYPE_KM_HOTKEY\r\n"};
  ::OutputDebugStringA(iconType >= 1 && iconType <= 5 ? kNames[iconType] : kNames[0]);
  ::SendMessageW(icon_, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconW(nullptr, SystemIconOf(iconType))), 0);
}

void CShowMsgTop::Show() {
  ::SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::UpdateWindow(window_);
}

bool CShowMsgIcon::CreateOnDesktop(HWND owner, int iconMode, const std::wstring& text) {
  window_ = MakeNoticeWindow(owner, kPopupWidth, kPopupHeight);
  if (!window_) return false;
  HWND icon = MakeStatic(window_, iconMode == 0 ? 1120 : 1122, SS_ICON | WS_VISIBLE, 4, 4, 32, 32);
  ::SendMessageW(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(::LoadIconW(nullptr, iconMode == 0 ? IDI_INFORMATION : IDI_WARNING)), 0);
  HWND line = MakeStatic(window_, kTextId, SS_LEFT | SS_NOPREFIX | WS_VISIBLE, 44, 12, kPopupWidth - 48, 20);
  ::SetWindowTextW(line, text.c_str());
  return true;
}

void CShowMsgIcon::Destroy() {
  if (window_) ::DestroyWindow(window_);
  window_ = nullptr;
}

void CShowMsgIcon::MoveToCorner() {
  RECT desktop;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  ::SetWindowPos(window_, nullptr, desktop.right - 220, desktop.top + 20, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}
