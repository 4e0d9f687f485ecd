// CWnd: one C++ object per window. The object is found from its handle through a map of the
// process; the window's messages reach the object's virtual WindowProc, which hands each one to
// (in this order) the child control it concerns (reflection), the message map entries added in
// the constructor, and the virtual handler of the message (OnPaint, OnMouseMove, ...). A handler
// that the class does not override runs the window's previous procedure (Default()).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>
#include "framework/dc.h"
#include "framework/geometry.h"

class CWnd {
 public:
  CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  // Destroys the window when it is still there.
  virtual ~CWnd();

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return GetSafeHwnd(); }

  // The object of a window: the permanent one (attached or subclassed), or null.
  static CWnd* FromHandlePermanent(HWND window);
  // The permanent object, or else a plain wrapper kept for the calling thread (never null for a
  // window handle; null for null).
  static CWnd* FromHandle(HWND window);

  // --- Creation and binding -------------------------------------------------------------------
  // Creates a window of any registered class and binds it to this object before its first
  // message (WM_NCCREATE), so that the class's window procedure may simply be DefWindowProc.
  virtual bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName,
                        DWORD style, const RECT& rect, CWnd* parent, UINT id, void* param = nullptr);
  // A child window (WS_CHILD expected in style); context is unused by the framework.
  virtual bool Create(const wchar_t* className, const wchar_t* windowName, DWORD style,
                      const RECT& rect, CWnd* parent, UINT id, void* context = nullptr);
  // Binds an existing window (a control of a dialog) to this object and routes its messages here.
  bool SubclassWindow(HWND window);
  bool SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();
  // Binds without routing messages (a wrapper for calls only).
  bool Attach(HWND window);
  HWND Detach();
  virtual bool DestroyWindow();

  // --- Overridables ---------------------------------------------------------------------------
  // Every message of the window; the default dispatches as described at the top.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The window's previous procedure (or DefWindowProc) for a message.
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Runs Default processing for the message being handled.
  LRESULT Default();
  // Called for each message before it is dispatched, from the message's window up through its
  // parents; true means "handled, do not dispatch".
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Called when this object is bound to an existing window, before messages are routed to it.
  virtual void PreSubclassWindow() {}
  // After the last message (WM_NCDESTROY), the window is unbound; an object that deletes itself
  // does it here.
  virtual void PostNcDestroy() {}
  // A notification of this control that its parent received (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM,
  // WM_MEASUREITEM, WM_CTLCOLOR*, WM_HSCROLL/WM_VSCROLL from a scroll control). Return true with
  // *result set to answer it in place of the parent. The default hands WM_DRAWITEM to DrawItem
  // and WM_NOTIFY to OnReflectedNotify, WM_CTLCOLOR* to OnReflectedCtlColor, WM_COMMAND to
  // OnReflectedCommand.
  virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual bool DrawItem(DRAWITEMSTRUCT*) { return false; }  // true: drawn, handled
  virtual bool OnReflectedNotify(NMHDR*, LRESULT*) { return false; }
  // A brush (or null, meaning: not handled) for the control's colours on dc.
  virtual HBRUSH OnReflectedCtlColor(CDC*, UINT /*ctlType*/) { return nullptr; }
  virtual bool OnReflectedCommand(UINT /*notifyCode*/) { return false; }
  // WM_COMMAND and WM_NOTIFY that no child and no map entry took; TRUE when handled.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);

  // Cracked message handlers; each default runs Default().
  virtual int OnCreate(CREATESTRUCTW* create);
  virtual void OnDestroy();
  virtual void OnPaint();
  virtual BOOL OnEraseBkgnd(CDC* dc);
  virtual void OnSize(UINT type, int cx, int cy);
  virtual void OnMove(int x, int y);
  virtual void OnTimer(UINT_PTR id);
  virtual void OnMouseMove(UINT flags, CPoint point);
  virtual void OnLButtonDown(UINT flags, CPoint point);
  virtual void OnLButtonUp(UINT flags, CPoint point);
  virtual void OnLButtonDblClk(UINT flags, CPoint point);
  virtual void OnRButtonDown(UINT flags, CPoint point);
  virtual void OnRButtonUp(UINT flags, CPoint point);
  virtual void OnMButtonDown(UINT flags, CPoint point);
  virtual void OnMButtonUp(UINT flags, CPoint point);
  virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint);
  virtual void OnMouseHover(UINT flags, CPoint point);
  virtual void OnMouseLeave();
  virtual void OnCaptureChanged(HWND newCapture);
  virtual void OnSetFocus(HWND oldFocus);
  virtual void OnKillFocus(HWND newFocus);
  virtual void OnKeyDown(UINT virtualKey, UINT repeat, UINT flags);
  virtual void OnKeyUp(UINT virtualKey, UINT repeat, UINT flags);
  virtual void OnChar(UINT ch, UINT repeat, UINT flags);
  virtual void OnContextMenu(HWND window, CPoint screenPoint);
  virtual void OnSysColorChange();
  virtual void OnHScroll(UINT code, UINT position, HWND scrollBar);
  virtual void OnVScroll(UINT code, UINT position, HWND scrollBar);
  virtual void OnShowWindow(BOOL show, UINT status);
  virtual void OnClose();
  virtual BOOL OnSetCursor(HWND window, UINT hitTest, UINT message);
  virtual UINT OnGetDlgCode();
  // WM_CTLCOLOR* that the child did not answer; the default asks Default().
  virtual HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlType);

  // --- Message map -----------------------------------------------------------------------------
  // Entries are added by a class's constructor and consulted before the virtual handlers; a later
  // entry for the same message (a derived class) replaces an earlier one.
  using MessageHandler = std::function<LRESULT(WPARAM, LPARAM)>;
  using CommandHandler = std::function<void()>;
  using NotifyHandler = std::function<void(NMHDR*, LRESULT*)>;
  void MapMessage(UINT message, MessageHandler handler);
  // WM_COMMAND from control id with the notification code (BN_CLICKED, EN_CHANGE, ...), or from a
  // menu or accelerator (code 0 and 1 both match a menu command when code is 0).
  void MapCommand(UINT id, UINT notifyCode, CommandHandler handler);
  void MapClicked(UINT id, CommandHandler handler) { MapCommand(id, BN_CLICKED, std::move(handler)); }
  void MapNotify(UINT id, UINT notifyCode, NotifyHandler handler);

  // --- Operations --------------------------------------------------------------------------------
  CWnd* GetParent() const;
  HWND GetDlgItemHandle(int id) const { return ::GetDlgItem(m_hWnd, id); }
  CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  void SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }
  std::wstring GetWindowText() const;
  int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
  void SetDlgItemText(int id, const std::wstring& text) { ::SetDlgItemTextW(m_hWnd, id, text.c_str()); }
  std::wstring GetDlgItemText(int id) const;
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
  void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
  void ClientToScreen(POINT* p) const { ::ClientToScreen(m_hWnd, p); }
  void ClientToScreen(RECT* r) const;
  void ScreenToClient(POINT* p) const { ::ScreenToClient(m_hWnd, p); }
  void ScreenToClient(RECT* r) const;
  bool MoveWindow(int x, int y, int w, int h, bool repaint = true) {
    return ::MoveWindow(m_hWnd, x, y, w, h, repaint) != FALSE;
  }
  bool MoveWindow(const RECT& r, bool repaint = true) {
    return MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, repaint);
  }
  bool SetWindowPos(HWND after, int x, int y, int w, int h, UINT flags) {
    return ::SetWindowPos(m_hWnd, after, x, y, w, h, flags) != FALSE;
  }
  bool ShowWindow(int command) { return ::ShowWindow(m_hWnd, command) != FALSE; }
  bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
  bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
  bool EnableWindow(bool enable = true) { return ::EnableWindow(m_hWnd, enable) != FALSE; }
  bool IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
  void Invalidate(bool erase = true) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void InvalidateRect(const RECT* rect, bool erase = true) { ::InvalidateRect(m_hWnd, rect, erase); }
  void InvalidateRgn(const CRgn* region, bool erase = true) { ::InvalidateRgn(m_hWnd, *region, erase); }
  void ValidateRect(const RECT* rect) { ::ValidateRect(m_hWnd, rect); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  bool RedrawWindow(const RECT* rect = nullptr, const CRgn* region = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  HWND SetFocus() { return ::SetFocus(m_hWnd); }
  static HWND GetFocus() { return ::GetFocus(); }
  HWND SetCapture() { return ::SetCapture(m_hWnd); }
  static HWND GetCapture() { return ::GetCapture(); }
  bool SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd) != FALSE; }
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) {
    return ::SetTimer(m_hWnd, id, elapse, proc);
  }
  bool KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id) != FALSE; }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }
  bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageW(m_hWnd, message, wParam, lParam) != FALSE;
  }
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
  // Removes and adds style bits; with SWP flags the frame is recomputed (SWP_FRAMECHANGED).
  bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
  bool ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
  void SetFont(HFONT font, bool redraw = true) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
  void SetFont(CFont* font, bool redraw = true) { SetFont(static_cast<HFONT>(*font), redraw); }
  HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
  int SetWindowRgn(HRGN region, bool redraw) { return ::SetWindowRgn(m_hWnd, region, redraw); }
  void CenterWindow(HWND alternateOwner = nullptr);
  void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
  HMENU GetSystemMenu(bool revert) const { return ::GetSystemMenu(m_hWnd, revert); }

 protected:
  // The message the object is handling now (for Default()).
  struct CurrentMessage { UINT message; WPARAM wParam; LPARAM lParam; };
  const CurrentMessage& GetCurrentMessage() const { return m_current; }
  // Routes the window's messages to this object (used by creation and by subclassing).
  void RouteMessagesHere();
  // The standard dispatch of WindowProc, without the saving of the current message.
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  WNDPROC m_previousProc = nullptr;  // the procedure Default() calls

 private:
  friend class WindowCreationHook;
  friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);
  bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  bool CallMapEntry(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  bool CallVirtualHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  void Unbind();

  struct MessageEntry { UINT message; MessageHandler handler; };
  struct CommandEntry { UINT id; UINT code; CommandHandler handler; };
  struct NotifyEntry { UINT id; UINT code; NotifyHandler handler; };
  std::vector<MessageEntry> m_messageMap;
  std::vector<CommandEntry> m_commandMap;
  std::vector<NotifyEntry> m_notifyMap;
  CurrentMessage m_current = {0, 0, 0};
  bool m_routed = false;     // our procedure is the window's
  bool m_temporary = false;  // a FromHandle wrapper: never destroys its window
};

// The class name of the framework's plain child window (no background brush, arrow cursor,
// CS_DBLCLKS); registered on first use.
const wchar_t* DefaultChildWindowClass();
// A window class with DefWindowProc for the given class style, cursor, brush and icon, named
// after them, registered on first use; returns its name (stable for the whole run).
const wchar_t* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr,
                                   HBRUSH background = nullptr, HICON icon = nullptr);
