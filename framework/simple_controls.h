// Thin wrappers over the system's button, static and edit controls: the calls the pages make,
// as plain messages to the control.
#pragma once
#include <string>
#include "framework/wnd.h"

class CButton : public CWnd {
 public:
  bool Create(const wchar_t* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(L"BUTTON", caption, style, rect, parent, id);
  }
  UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
  void SetState(bool highlight) { SendMessage(BM_SETSTATE, highlight); }
  int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
  void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
  UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
  // BM_SETSTYLE: the push-button and default push-button looks the dialogs switch between.
  void SetButtonStyle(UINT style, bool redraw = true) { SendMessage(BM_SETSTYLE, style, redraw); }
  HICON SetIcon(HICON icon) {
    return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
  }
  HBITMAP SetBitmap(HBITMAP bitmap) {
    return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  }
};

class CStatic : public CWnd {
 public:
  bool Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF) {
    return CWnd::Create(L"STATIC", text, style, rect, parent, id);
  }
  HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
  HBITMAP SetBitmap(HBITMAP bitmap) {
    return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  }
};

class CEdit : public CWnd {
 public:
  bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(L"EDIT", L"", style, rect, parent, id);
  }
  void SetSel(int start, int end, bool noScroll = false) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
    if (!noScroll) SendMessage(EM_SCROLLCARET);
  }
  void ReplaceSel(const std::wstring& text, bool canUndo = false) {
    SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text.c_str()));
  }
  bool SetReadOnly(bool readOnly = true) { return SendMessage(EM_SETREADONLY, readOnly) != 0; }
  void SetLimitText(UINT max) { SendMessage(EM_SETLIMITTEXT, max); }
  int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
};
