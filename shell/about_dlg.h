// CAboutDlg: the product name with its version, and OK.
#pragma once
#include "framework/framework.h"

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(CWnd* parent = nullptr);
};
