#include "shell/system_tray.h"

#include <cwchar>

#include "framework/app.h"

namespace {
constexpr UINT kBalloonTimeoutMs = 20000;

// The version as the platform reports it (GetVersionExW is deprecated, not gone).
OSVERSIONINFOW SystemVersion() {
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  ::GetVersionExW(&version);
#pragma GCC diagnostic pop
  return version;
}

void CopyText(wchar_t* target, size_t capacity, const wchar_t* text, size_t maxChars) {
  size_t limit = maxChars < capacity - 1 ? maxChars : capacity - 1;
  std::wcsncpy(target, text ? text : L"", limit);
  target[limit] = L'\0';
}
}  // namespace

UINT CSystemTray::TaskbarCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

CSystemTray::CSystemTray() : data_{} {
  data_.cbSize = sizeof(data_);
  OSVERSIONINFOW version = SystemVersion();
  balloonsSupported_ = version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion > 4;
  TaskbarCreatedMessage();
}

CSystemTray::~CSystemTray() {
  RemoveIcon();
  if (m_hWnd) DestroyWindow();
}

bool CSystemTray::Create(CWnd* parent, UINT callbackMessage, const wchar_t* tip, HICON icon,
                         const wchar_t* balloonText, const wchar_t* balloonTitle) {
  (void)parent;  // the icon's window has no parent: it must outlive nothing and hide with nothing
  enabled_ = SystemVersion().dwMajorVersion > 3;
  if (!enabled_) return false;
  if (!CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, CRect(0, 0, 0, 0), nullptr, 0)) return false;

  data_.hWnd = m_hWnd;
  data_.uID = kIconId;
  data_.hIcon = icon;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = callbackMessage;
  CopyText(data_.szTip, ARRAYSIZE(data_.szTip), tip, 127);
  if (balloonsSupported_) {
    data_.uFlags |= NIF_INFO;
    CopyText(data_.szInfo, ARRAYSIZE(data_.szInfo), balloonText, 255);
    CopyText(data_.szInfoTitle, ARRAYSIZE(data_.szInfoTitle), balloonTitle, 63);
    data_.uTimeout = kBalloonTimeoutMs;
    data_.dwInfoFlags = NIIF_INFO;
  }
  creationFlags_ = data_.uFlags;
  hidden_ = FALSE;
  BOOL failed = !::Shell_NotifyIconW(NIM_ADD, &data_);
  hidden_ = removed_ = showPending_ = failed;
  // Later adds show the icon without the balloon.
  if (balloonsSupported_) data_.szInfo[0] = L'\0';
  return !failed;
}

bool CSystemTray::SetDefaultMenuItem(UINT item, bool byPosition) {
  if (defaultItem_ == item && (defaultByPosition_ != FALSE) == byPosition) return true;
  defaultItem_ = item;
  defaultByPosition_ = byPosition;
  HMENU menu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(kMenuId));
  if (!menu) return false;
  ::SetMenuDefaultItem(::GetSubMenu(menu, 0), item, byPosition);
  ::DestroyMenu(menu);
  return true;
}

bool CSystemTray::RemoveIcon() {
  showPending_ = FALSE;
  if (!enabled_ || removed_) return true;
  data_.uFlags = 0;
  if (::Shell_NotifyIconW(NIM_DELETE, &data_)) hidden_ = removed_ = TRUE;
  return removed_ != FALSE;
}

HWND CSystemTray::TargetWindow() const {
  if (target_) return target_->GetSafeHwnd();
  CWinAppEx* app = AfxGetApp();
  return app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
}

LRESULT CSystemTray::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == data_.uCallbackMessage && message != 0) return OnTrayIconMessage(wParam, lParam);
  if (message == TaskbarCreatedMessage()) {
    OnTaskbarCreated();
    return 0;
  }
  if (message == WM_TIMER) return 0;  // no timer of this window is ever started
  if (message == WM_SETTINGCHANGE) {
    LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    OnSettingChange(static_cast<UINT>(wParam));
    return result;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CSystemTray::OnTrayIconMessage(WPARAM iconId, LPARAM mouseMessage) {
  if (iconId != data_.uID) return 0;
  HWND target = TargetWindow();
  if (!target) return 0;
  if (LOWORD(mouseMessage) == WM_RBUTTONUP) {
    HMENU menu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(kMenuId));
    if (!menu) return 0;
    HMENU popup = ::GetSubMenu(menu, 0);
    if (popup) {
      ::SetMenuDefaultItem(popup, defaultItem_, defaultByPosition_);
      PrepareMenu(popup);
      POINT cursor;
      ::GetCursorPos(&cursor);
      ::SetForegroundWindow(target);
      ::TrackPopupMenu(popup, TPM_LEFTBUTTON, cursor.x, cursor.y, 0, target, nullptr);
      ::PostMessageW(target, WM_NULL, 0, 0);
    }
    ::DestroyMenu(menu);
  } else if (LOWORD(mouseMessage) == WM_LBUTTONDBLCLK) {
    ::SetForegroundWindow(target);
    UINT command = defaultItem_;
    if (defaultByPosition_) {
      command = 0;
      if (HMENU menu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(kMenuId))) {
        UINT id = ::GetMenuItemID(::GetSubMenu(menu, 0), static_cast<int>(defaultItem_));
        if (id != static_cast<UINT>(-1)) command = id;
        ::DestroyMenu(menu);
      }
    }
    // The default position names no item of the menu: the double click only brings the window
    // forward, and the command it posts is none of the menu's.
    ::PostMessageW(target, WM_COMMAND, command, 0);
  }
  return 1;
}

void CSystemTray::ShowIconAgain(bool stillInTaskbar) {
  data_.uFlags = creationFlags_;
  // The likely case first; a taskbar that knows better (the icon is there after all, or gone)
  // gets the other call.
  BOOL shown = ::Shell_NotifyIconW(stillInTaskbar ? NIM_MODIFY : NIM_ADD, &data_) ||
               ::Shell_NotifyIconW(stillInTaskbar ? NIM_ADD : NIM_MODIFY, &data_);
  hidden_ = showPending_ = !shown;
  if (shown) removed_ = FALSE;
}

void CSystemTray::OnTaskbarCreated() {
  showPending_ = TRUE;
  // A new taskbar knows no icon of ours.
  if (!hidden_) ShowIconAgain(false);
}

void CSystemTray::OnSettingChange(UINT flag) {
  if (flag != SPI_SETWORKAREA) return;
  showPending_ = !hidden_;
  // The taskbar that moved still holds the icon: an add would fail and mark it hidden, and the
  // icon would be lost at the next "TaskbarCreated".
  if (!hidden_) ShowIconAgain(!removed_);
}
