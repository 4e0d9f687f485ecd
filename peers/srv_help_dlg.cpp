#include "peers/srv_help_dlg.h"

#include <shellapi.h>

#include "common/os_version.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"

bool SrvHelpSettingCommand(int32_t target, bool windowsXp, std::wstring* file, std::wstring* parameters) {
  switch (target) {
    case kSettingSharingCentre:
      *file = L"control.exe";
      *parameters = L"/name Microsoft.NetworkAndSharingCenter";
      return true;
    case kSettingRemote:
      *file = L"rundll32.exe";
      *parameters = windowsXp ? L"shell32.dll,Control_RunDLL sysdm.cpl,,6" : L"shell32.dll,Control_RunDLL sysdm.cpl,,5";
      return true;
    case kSettingConnections:
      *file = L"control.exe";
      *parameters = L"ncpa.cpl";
      return true;
    default:
      return false;
  }
}

CSrvHelp::CSrvHelp(CWnd* parent) : CDialog(IDD_SRV_HELP, parent) {
  MapOpenDialogRegistration(*this);
  MapClicked(IDC_SRV_HELP_SETTING, [this] { OnBnClickedSetting(); });
}

void CSrvHelp::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, IDC_SRV_HELP_SETTING, setting_); }

BOOL CSrvHelp::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(title_);
  SetDlgItemText(IDC_SRV_HELP_TITLE, title_);
  SetDlgItemText(IDC_SRV_HELP_TEXT, text_);
  setting_.SetIcon(IDI_SETTING);
  if (!showSetting_) setting_.ShowWindow(SW_HIDE);
  return TRUE;
}

void CSrvHelp::OnBnClickedSetting() {
  std::wstring file, parameters;
  if (!SrvHelpSettingCommand(target_, GetOsTypeCode() == kOsTypeWindowsXp, &file, &parameters)) return;
  ::ShellExecuteW(nullptr, L"open", file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

void RunSrvHelp(CWnd* parent, const wchar_t* title, const wchar_t* text, bool showSetting, int32_t target) {
  CSrvHelp help(parent);
  help.title_ = title;
  help.text_ = text;
  help.showSetting_ = showSetting;
  help.target_ = target;
  help.DoModal();
}
