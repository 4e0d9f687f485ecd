// CMsgYesNo: a question with a caption, Yes and No. Yes gives 0; No, Escape and closing give -1.
// No is the default button, so Enter answers No.
#pragma once
#include <string>
#include "framework/framework.h"

class CMsgYesNo : public CDialog {
 public:
  explicit CMsgYesNo(CWnd* parent = nullptr);
  std::wstring m_caption;
  std::wstring m_text;

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override { EndDialog(-1); }
  void OnOK() override {}  // there is no OK: Enter goes to the default button, No
};
