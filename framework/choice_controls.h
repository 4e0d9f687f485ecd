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

namespace choice_controls_detail {
// An entry's text through the control's length and text messages (CB_ or LB_; both fail with -1).
inline std::wstring EntryText(const CWnd& control, UINT lengthMessage, UINT textMessage, int index) {
  LRESULT length = control.SendMessage(lengthMessage, static_cast<WPARAM>(index));
  if (length < 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = control.SendMessage(textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
  return text;
}
}  // namespace choice_controls_detail

inline std::wstring CComboBox::GetLBText(int index) const {
  return choice_controls_detail::EntryText(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

inline std::wstring CListBox::GetText(int index) const {
  return choice_controls_detail::EntryText(*this, LB_GETTEXTLEN, LB_GETTEXT, index);
}
