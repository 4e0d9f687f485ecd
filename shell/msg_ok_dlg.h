// CMsgOkDlg: a message with a caption and OK; ends with IDOK.
#pragma once
#include <string>
#include "framework/framework.h"

class CMsgOkDlg : public CDialog {
 public:
  explicit CMsgOkDlg(CWnd* parent = nullptr);
  std::wstring m_caption;
  std::wstring m_text;

 protected:
  BOOL OnInitDialog() override;
};
