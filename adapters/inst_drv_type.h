// CInstDrvType: the wizard's link-mode step for a wired adapter: Corvane mode with virtual
// adapters, Dual-LAN, Directly connect or DHCP Router, each with its hint and picture.
#pragma once
#include "controls/picture_box.h"
#include "framework/framework.h"

class CInstDrv;

class CInstDrvType : public CDialog {
 public:
  CInstDrvType(CWnd* parent, CInstDrv* wizard);

  int m_linkMode = 0;
  bool m_success = false;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override {}

 private:
  void ChooseLinkMode(int mode);
  void OnBnClickedNext();

  CInstDrv* wizard_;
  CPictureBoxFile picture_;
};
