// CDriverPage: the Driver tab. It shows whether the driver pair is installed, on which physical
// adapter and with which virtual adapters, and opens the wizard, the removal dialog and the
// advanced configuration; a change that succeeded raises a restart request for the main dialog.
//
// The host fills the public fields from the settings files before it creates the page.
#pragma once
#include <cstdint>
#include <string>

#include "adapters/driver_page_rows.h"
#include "framework/framework.h"
#include "shell/startup_settings.h"

class CDriverPage : public CDialog {
 public:
  CDriverPage();

  WanFlags m_wan;
  std::wstring m_physicalName;  // at most 128 units
  std::wstring m_physicalGuid;  // at most 64 units
  uint8_t m_privateIp[4] = {};
  HWND m_mainWindow = nullptr;  // receives UM_CLOSE_DEVICE before a removal

  bool IsRestartRequested() const { return restartRequested_; }
  void ClearRestartRequest() { restartRequested_ = false; }
  DriverPageState State() const { return state_; }

 protected:
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;

 private:
  void ShowWithoutVirtualAdapters();
  void ShowBoundAdapters();
  void OnBnClickedInstall();
  void OnBnClickedRemove();
  void OnBnClickedAdvancedConfig();
  void ShowRestartNotice(const char* line1Key);

  CListCtrl list_;
  bool restartRequested_ = false;
  bool xp_ = false;
  bool vista_ = false;
  DriverPageState state_ = DriverPageState::kNotInstalled;
};
