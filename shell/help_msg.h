// CHelpMsg: a help text box with a caption, a heading and a read-only body; ends with IDOK.
#pragma once
#include "framework/framework.h"

class CHelpMsg : public CDialog {
 public:
  explicit CHelpMsg(CWnd* parent = nullptr);
  const wchar_t* m_caption = L"";
  const wchar_t* m_heading = L"";
  const wchar_t* m_body = L"";

 protected:
  BOOL OnInitDialog() override;
};
