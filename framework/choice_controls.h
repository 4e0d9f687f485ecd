// Thin wrappers over the system's combo box and list box: the calls the pages make, as plain
// messages to the control.
#pragma once
#include <string>
#include "framework/wnd.h"

class CComboBox : public CWnd {
 public:
  int AddString(const std::wstring& text) {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  }
  int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
  // The selected entry, or CB_ERR when none is.
  int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
  int SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }
  std::wstring GetLBText(int index) const;
};

class CListBox : public CWnd {
 public:
  int AddString(const std::wstring& text) {
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  }
  int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
  std::wstring GetText(int index) const;
};

inline std::wstring CComboBox::GetLBText(int index) const {
  LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}

inline std::wstring CListBox::GetText(int index) const {
  LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}
