// CNetworkCable: the physical adapter has no link. Continue checks again and ends with 0 once the
// link is up; Ignore gives -2; Cancel, Escape and closing give -1. Cancel is the default and has
// the focus, so Enter cancels.
#pragma once
#include "framework/framework.h"

class CNetworkCable : public CDialog {
 public:
  explicit CNetworkCable(CWnd* parent = nullptr);
  const wchar_t* m_adapterName = L"";  // the physical adapter's name in the adapter table

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override { EndDialog(-1); }
  void OnOK() override {}
  void OnBnClickedContinue();
};
