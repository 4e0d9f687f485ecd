#include "framework/wnd.h"

#include <memory>
#include <unordered_map>
#include "framework/window_creation_hook.h"
#include "framework/window_map.h"

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* object = window_map::Find(window);
  if (!object) return ::DefWindowProcW(window, message, wParam, lParam);
  CWnd::CurrentMessage saved = object->m_current;
  object->m_current = {message, wParam, lParam};
  LRESULT result = object->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window is gone: unbind, then let the object do its own ending (it may delete itself).
    object->Unbind();
    object->PostNcDestroy();
    return result;
  }
  object->m_current = saved;
  return result;
}

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_temporary || !m_hWnd) return;
  if (m_routed && ::IsWindow(m_hWnd)) {
    ::DestroyWindow(m_hWnd);
  }
  if (m_hWnd) Unbind();
}

CWnd* CWnd::FromHandlePermanent(HWND window) { return window_map::Find(window); }

CWnd* CWnd::FromHandle(HWND window) {
  if (!window) return nullptr;
  if (CWnd* permanent = window_map::Find(window)) return permanent;
  // Calls on a window that has no object of ours go through a plain wrapper of this thread. The
  // table is reached through a plain pointer: MinGW runs destructors of thread_local objects after
  // the thread's storage is gone, which corrupts the heap when a window thread ends.
  using Wrappers = std::unordered_map<HWND, std::unique_ptr<CWnd>>;
  thread_local Wrappers* wrappers = nullptr;
  if (!wrappers) wrappers = new Wrappers();
  if (wrappers->size() > 64) {
    for (auto it = wrappers->begin(); it != wrappers->end();) {
      it = ::IsWindow(it->first) ? std::next(it) : wrappers->erase(it);
    }
  }
  auto& slot = (*wrappers)[window];
  if (!slot) {
    slot = std::make_unique<CWnd>();
    slot->m_hWnd = window;
    slot->m_temporary = true;
  }
  return slot.get();
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, void* param) {
  if (m_hWnd) return false;
  HWND parentWindow = parent ? parent->m_hWnd : nullptr;
  HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
  HWND window;
  {
    WindowCreationHook bind(this);
    window = ::CreateWindowExW(exStyle, className, windowName ? windowName : L"", style, rect.left,
                               rect.top, rect.right - rect.left, rect.bottom - rect.top,
                               parentWindow, menuOrId, ::GetModuleHandleW(nullptr), param);
  }
  if (!window) {
    // A window that failed in WM_CREATE was bound and then destroyed; nothing is left to undo.
    m_hWnd = nullptr;
    return false;
  }
  return true;
}

bool CWnd::Create(const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, void*) {
  return CreateEx(0, className ? className : DefaultChildWindowClass(), windowName, style | WS_CHILD,
                  rect, parent, id);
}

bool CWnd::Attach(HWND window) {
  if (!window || m_hWnd) return false;
  m_hWnd = window;
  window_map::Add(window, this);
  return true;
}

HWND CWnd::Detach() {
  HWND window = m_hWnd;
  if (window) {
    if (m_routed) UnsubclassWindow();
    window_map::Remove(window, this);
  }
  m_hWnd = nullptr;
  return window;
}

bool CWnd::SubclassWindow(HWND window) {
  if (!window || m_hWnd || window_map::Find(window)) return false;
  if (!Attach(window)) return false;
  PreSubclassWindow();
  RouteMessagesHere();
  return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() {
  if (m_routed && m_hWnd) {
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
    m_routed = false;
    m_previousProc = nullptr;
  }
  return m_hWnd;
}

void CWnd::RouteMessagesHere() {
  if (m_routed) return;
  m_previousProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameworkWindowProc)));
  m_routed = true;
}

void CWnd::Unbind() {
  if (!m_hWnd) return;
  HWND window = m_hWnd;
  if (m_routed && ::IsWindow(window) &&
      ::GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(FrameworkWindowProc)) {
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
  }
  m_routed = false;
  window_map::Remove(window, this);
  m_hWnd = nullptr;
}

bool CWnd::DestroyWindow() {
  if (!m_hWnd) return false;
  HWND window = m_hWnd;
  bool routed = m_routed;
  bool destroyed = ::DestroyWindow(window) != FALSE;
  // A window whose messages never came here got no WM_NCDESTROY through us.
  if (!routed && m_hWnd == window) Unbind();
  return destroyed;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_previousProc) return ::CallWindowProcW(m_previousProc, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return Dispatch(message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ReflectToChild(message, wParam, lParam, &result)) return result;
  if (CallMapEntry(message, wParam, lParam, &result)) return result;
  if (CallVirtualHandler(message, wParam, lParam, &result)) return result;
  return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

namespace {
bool IsCtlColor(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

// The control a notification to its parent is about, or null.
HWND NotifyingControl(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY: return lParam ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      return (wParam && item && item->CtlType != ODT_MENU) ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      return (wParam && item && item->CtlType != ODT_MENU) ? ::GetDlgItem(parent, static_cast<int>(wParam)) : nullptr;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: return reinterpret_cast<HWND>(lParam);
    default: return IsCtlColor(message) ? reinterpret_cast<HWND>(lParam) : nullptr;
  }
}
}  // namespace

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND control = NotifyingControl(m_hWnd, message, wParam, lParam);
  if (!control || control == m_hWnd) return false;
  CWnd* child = window_map::Find(control);
  if (!child) return false;
  return child->OnChildNotify(message, wParam, lParam, result);
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_DRAWITEM:
      if (!DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) return false;
      *result = TRUE;
      return true;
    case WM_NOTIFY:
      return OnReflectedNotify(reinterpret_cast<NMHDR*>(lParam), result);
    case WM_COMMAND:
      if (!OnReflectedCommand(HIWORD(wParam))) return false;
      *result = 0;
      return true;
    default:
      if (IsCtlColor(message)) {
        UINT ctlType = message - WM_CTLCOLORMSGBOX;  // CTLCOLOR_MSGBOX .. CTLCOLOR_STATIC
        HBRUSH brush = OnReflectedCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), ctlType);
        if (!brush) return false;
        *result = reinterpret_cast<LRESULT>(brush);
        return true;
      }
      return false;
  }
}

void CWnd::MapMessage(UINT message, MessageHandler handler) {
  m_messageMap.push_back({message, std::move(handler)});
}

void CWnd::MapCommand(UINT id, UINT notifyCode, CommandHandler handler) {
  m_commandMap.push_back({id, notifyCode, std::move(handler)});
}

void CWnd::MapNotify(UINT id, UINT notifyCode, NotifyHandler handler) {
  m_notifyMap.push_back({id, notifyCode, std::move(handler)});
}

bool CWnd::CallMapEntry(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  // From the back: a derived class's entry, added after its base's, wins.
  if (message == WM_COMMAND) {
    UINT id = LOWORD(wParam), code = HIWORD(wParam);
    for (auto it = m_commandMap.rbegin(); it != m_commandMap.rend(); ++it) {
      bool codeMatches = it->code == code || (it->code == 0 && code == 1 && lParam == 0);
      if (it->id == id && codeMatches) {
        auto handler = it->handler;  // the handler may add entries
        handler();
        *result = 0;
        return true;
      }
    }
  } else if (message == WM_NOTIFY && lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    for (auto it = m_notifyMap.rbegin(); it != m_notifyMap.rend(); ++it) {
      if (it->id == header->idFrom && it->code == header->code) {
        auto handler = it->handler;
        *result = 0;
        handler(header, result);
        return true;
      }
    }
  }
  for (auto it = m_messageMap.rbegin(); it != m_messageMap.rend(); ++it) {
    if (it->message == message) {
      auto handler = it->handler;
      *result = handler(wParam, lParam);
      return true;
    }
  }
  return false;
}

bool CWnd::CallVirtualHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  CPoint point(lParam);
  UINT flags = static_cast<UINT>(wParam);
  *result = 0;
  switch (message) {
    case WM_COMMAND:
      if (!OnCommand(wParam, lParam)) *result = Default();
      return true;
    case WM_NOTIFY:
      if (!OnNotify(wParam, lParam, result)) *result = Default();
      return true;
    case WM_CREATE: *result = OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam)); return true;
    case WM_DESTROY: OnDestroy(); return true;
    case WM_PAINT: OnPaint(); return true;
    case WM_ERASEBKGND: *result = OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam))); return true;
    case WM_SIZE: OnSize(flags, LOWORD(lParam), HIWORD(lParam)); return true;
    case WM_MOVE: OnMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); return true;
    case WM_TIMER: OnTimer(wParam); return true;
    case WM_MOUSEMOVE: OnMouseMove(flags, point); return true;
    case WM_LBUTTONDOWN: OnLButtonDown(flags, point); return true;
    case WM_LBUTTONUP: OnLButtonUp(flags, point); return true;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(flags, point); return true;
    case WM_RBUTTONDOWN: OnRButtonDown(flags, point); return true;
    case WM_RBUTTONUP: OnRButtonUp(flags, point); return true;
    case WM_MBUTTONDOWN: OnMButtonDown(flags, point); return true;
    case WM_MBUTTONUP: OnMButtonUp(flags, point); return true;
    case WM_MOUSEWHEEL:
      *result = OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), point);
      return true;
    case WM_MOUSEHOVER: OnMouseHover(flags, point); return true;
    case WM_MOUSELEAVE: OnMouseLeave(); return true;
    case WM_CAPTURECHANGED: OnCaptureChanged(reinterpret_cast<HWND>(lParam)); return true;
    case WM_SETFOCUS: OnSetFocus(reinterpret_cast<HWND>(wParam)); return true;
    case WM_KILLFOCUS: OnKillFocus(reinterpret_cast<HWND>(wParam)); return true;
    case WM_KEYDOWN: OnKeyDown(flags, LOWORD(lParam), HIWORD(lParam)); return true;
    case WM_KEYUP: OnKeyUp(flags, LOWORD(lParam), HIWORD(lParam)); return true;
    case WM_CHAR: OnChar(flags, LOWORD(lParam), HIWORD(lParam)); return true;
    case WM_CONTEXTMENU: OnContextMenu(reinterpret_cast<HWND>(wParam), point); return true;
    case WM_SYSCOLORCHANGE: OnSysColorChange(); return true;
    case WM_HSCROLL: OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return true;
    case WM_VSCROLL: OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return true;
    case WM_SHOWWINDOW: OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); return true;
    case WM_CLOSE: OnClose(); return true;
    case WM_SETCURSOR:
      *result = OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
      return true;
    case WM_GETDLGCODE: *result = OnGetDlgCode(); return true;
    default:
      if (IsCtlColor(message)) {
        CWnd* control = FromHandle(reinterpret_cast<HWND>(lParam));
        *result = reinterpret_cast<LRESULT>(OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                       control, message - WM_CTLCOLORMSGBOX));
        return true;
      }
      return false;
  }
}

BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }
BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }
int CWnd::OnCreate(CREATESTRUCTW*) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnCaptureChanged(HWND) { Default(); }
void CWnd::OnSetFocus(HWND) { Default(); }
void CWnd::OnKillFocus(HWND) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnContextMenu(HWND, CPoint) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnHScroll(UINT, UINT, HWND) { Default(); }
void CWnd::OnVScroll(UINT, UINT, HWND) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnClose() { Default(); }
BOOL CWnd::OnSetCursor(HWND, UINT, UINT) { return static_cast<BOOL>(Default()); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

std::wstring CWnd::GetWindowText() const {
  int length = ::GetWindowTextLengthW(m_hWnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int copied = ::GetWindowTextW(m_hWnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

std::wstring CWnd::GetDlgItemText(int id) const {
  HWND item = ::GetDlgItem(m_hWnd, id);
  return item ? FromHandle(item)->GetWindowText() : std::wstring();
}

void CWnd::ClientToScreen(RECT* r) const {
  ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(r), 2);
}

void CWnd::ScreenToClient(RECT* r) const {
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(r), 2);
}

bool CWnd::RedrawWindow(const RECT* rect, const CRgn* region, UINT flags) {
  return ::RedrawWindow(m_hWnd, rect, region ? static_cast<HRGN>(*region) : nullptr, flags) != FALSE;
}

namespace {
bool ChangeStyle(HWND window, int index, DWORD remove, DWORD add, UINT swpFlags) {
  DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(window, index));
  DWORD changed = (style & ~remove) | add;
  if (changed == style) return false;
  ::SetWindowLongPtrW(window, index, static_cast<LONG_PTR>(changed));
  if (swpFlags) {
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
  }
  return true;
}
}  // namespace

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
  return ChangeStyle(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

bool CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
  return ChangeStyle(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}

void CWnd::CenterWindow(HWND alternateOwner) {
  HWND owner = alternateOwner ? alternateOwner : ::GetWindow(m_hWnd, GW_OWNER);
  RECT area = {};
  if (owner && ::IsWindowVisible(owner)) {
    ::GetWindowRect(owner, &area);
  } else {
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT own = {};
  ::GetWindowRect(m_hWnd, &own);
  int width = own.right - own.left, height = own.bottom - own.top;
  int x = area.left + (area.right - area.left - width) / 2;
  int y = area.top + (area.bottom - area.top - height) / 2;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
