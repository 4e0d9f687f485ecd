// CRmvDrv: removes an installation (or what a failed one left) on a worker thread while the
// dialog shows the sequence's progress lines; the Driver page reads the removed flag afterwards.
#pragma once
#include <memory>
#include <string>

#include "adapters/nic_installer.h"
#include "framework/framework.h"

class CRmvDrv : public CDialog {
 public:
  explicit CRmvDrv(CWnd* parent = nullptr);

  std::wstring m_physicalGuid;  // "DrvInstPhyNic.txt" line 2, possibly empty
  bool m_removed = false;
  // Where UM_CLOSE_DEVICE goes before the removal starts: the main dialog.
  HWND m_mainWindow = nullptr;

 protected:
  BOOL OnInitDialog() override;

 private:
  void OnBnClickedRemove();
  static DWORD WINAPI RemoveDriverThread(void* self);

  std::unique_ptr<CNicInstaller> installer_;
  bool result_ = false;
  bool xp_ = false;
};

// The body Exit shares with the installation's last step: the dialog closes.
void OnBnClickedExit(CDialog& dialog);
