// CInstDrvProg: the wizard's last step. It offers the network environment and the number of
// extra virtual adapters, checks the cable and moves the planned host off a used address, runs
// the installation on a worker thread while it shows the installer's progress lines, and on
// success records the environment and the first service and Swivo settings.
#pragma once
#include "adapters/used_address_scan.h"
#include "framework/framework.h"

class CInstDrv;

class CInstDrvProg : public CDialog {
 public:
  // linkMode: 0..3 from the link-mode step; -1 on the wireless path.
  CInstDrvProg(CWnd* parent, CInstDrv* wizard, int linkMode);

  bool m_success = false;
  // What the tests read: the environment Install computed.
  int LinkTypeChosen() const { return linkType_; }
  int NicCountChosen() const { return nicCount_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override {}

 private:
  void OnCbnSelchangeEnvironment();
  void OnBnClickedSharedStatic();
  void OnBnClickedInstall();
  // False when the user cancelled the cable check: nothing is installed then.
  bool CheckCableAndScan();
  void RunScan();
  void ShowLinkLabel(const char* textKey);
  void FillCounts(bool withNone);
  void ComputeLinkTypeAndCount();
  void WriteInstallationSettings();
  static DWORD WINAPI InstallThreadProc(void* self);

  CInstDrv* wizard_;
  int linkMode_;
  int linkType_ = 0;
  int nicCount_ = 0;
  bool xp_ = false;
};
