#include "peers/remote_computer_dlg.h"

#include <shellapi.h>

#include "common/os_version.h"
#include "common/text_helpers.h"
#include "framework/message_pump.h"
#include "peers/my_net_page.h"
#include "peers/pairing_dlg.h"
#include "peers/srv_help_dlg.h"
#include "resources/program_images.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "shell/show_msg_dlg.h"

namespace {
constexpr int32_t kZone = 10;
constexpr UINT kHelpIcon = 162;
constexpr DWORD kLaunchNoticeMs = 2000;
constexpr int kHelpButtonGap = 10;

const wchar_t* Text(const char* key) { return LoadLangText(kZone, key); }

CRect ChildRect(CWnd& parent, HWND child) {
  CRect rect;
  ::GetWindowRect(child, &rect);
  parent.ScreenToClient(&rect);
  return rect;
}
}  // namespace

ShellLaunch FileSharingLaunch(const std::wstring& ipText) { return {L"explore", L"\\\\" + ipText, L""}; }

ShellLaunch RemoteDesktopLaunch(const std::wstring& ipText) { return {L"open", L"mstsc", L"/v:" + ipText}; }

ShellLaunch FileCopyLaunch(const std::wstring& folder, const std::wstring& ipText) {
  std::wstring parameters = L"-s" + ipText;
  if (parameters.size() > 31) parameters.resize(31);
  return {L"open", folder + L"\\Tbn\\64\\Tobrin64.exe", parameters};
}

MyNetServType::MyNetServType(CWnd* parent) : CDialog(IDD_MYNET_SERV_TYPE, parent) {
  MapOpenDialogRegistration(*this);
  MapClicked(IDC_SERV_FILE_SHARING, [this] { OnBnClickedFileSharing(); });
  MapClicked(IDC_SERV_RMT_DESKTOP, [this] { OnBnClickedRemoteDesktop(); });
  MapClicked(IDC_SERV_WOL, [this] { OnBnClickedWol(); });
  MapClicked(IDC_SERV_SWIVO, [this] { OnBnClickedSwivo(); });
  MapClicked(IDC_SERV_MORE, [this] { OnBnClickedMore(); });
  MapClicked(IDC_SERV_FILE_COPY, [this] { OnBnClickedFwk(); });
  MapClicked(IDC_SERV_HELP_FILE_SHARING, [this] {
    RunSrvHelp(this, Text("TXT_FILE_SHARING"), Text("HELP_FILE_SHARING"), GetOsTypeCode() != kOsTypeWindowsXp,
               kSettingSharingCentre);
  });
  MapClicked(IDC_SERV_HELP_RMT_DESKTOP, [this] {
    RunSrvHelp(this, Text("TXT_RMT_DESKTOP"), Text("HELP_RMT_DESKTOP"), true, kSettingRemote);
  });
  MapClicked(IDC_SERV_HELP_WOL, [this] { RunSrvHelp(this, Text("TXT_WOL"), Text("HELP_WOL"), true, kSettingConnections); });
}

void MyNetServType::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_SERV_SWIVO, swivo_);
  DDX_Control(dx, IDC_SERV_WOL, wol_);
  DDX_Control(dx, IDC_SERV_MORE, more_);
  DDX_Control(dx, IDC_SERV_HELP_WOL, helpWol_);
  DDX_Control(dx, IDC_SERV_HELP_FILE_SHARING, helpFileSharing_);
  DDX_Control(dx, IDC_SERV_HELP_RMT_DESKTOP, helpRemoteDesktop_);
}

BOOL MyNetServType::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(Text("TXT_MYNET_SRV"));
  SetDlgItemText(IDC_SERV_IP, ipText_);
  SetDlgItemText(IDC_SERV_NAME, name_);
  SetDlgItemText(IDC_SERV_CPU, cpu_);
  SetDlgItemText(IDC_SERV_OS, OsNameText(os_));

  helpWol_.SetIcon(kHelpIcon);
  helpFileSharing_.SetIcon(kHelpIcon);
  helpRemoteDesktop_.SetIcon(kHelpIcon);
  swivo_.LoadStdImage(IDP_SWIVO);
  swivo_.SetTooltipText(Text("TXT_BTN_SWIVO"));
  wol_.LoadStdImage(IDP_WAKE_UP);
  wol_.SetTooltipText(Text("TXT_BTN_WOL"));
  more_.toggle = true;
  more_.hasAlternate = true;
  more_.LoadStdImage(IDP_SHOW_SERVICES);
  more_.LoadAltImage(IDP_HIDE_SERVICES);
  more_.SetTooltipText(Text("TXT_BTN_SHOW_WIN_SRV"));

  if (wolMode_) {
    const CRect swivoRect = ChildRect(*this, swivo_);
    const CRect helpRect = ChildRect(*this, helpWol_);
    swivo_.ShowWindow(SW_HIDE);
    ::ShowWindow(GetDlgItemHandle(IDC_SERV_FILE_COPY), SW_HIDE);
    wol_.SetWindowPos(nullptr, swivoRect.left, swivoRect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    helpWol_.SetWindowPos(nullptr, swivoRect.right + kHelpButtonGap, helpRect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  } else {
    wol_.ShowWindow(SW_HIDE);
    helpWol_.ShowWindow(SW_HIDE);
  }

  collapsed_ = true;
  CRect window;
  GetWindowRect(&window);
  fullWidth_ = window.Width();
  fullHeight_ = window.Height();
  ApplyHeight();
  return TRUE;
}

void MyNetServType::ApplyHeight() {
  ::ShowWindow(GetDlgItemHandle(IDC_SERV_GROUP), collapsed_ ? SW_HIDE : SW_SHOW);
  SetWindowPos(nullptr, 0, 0, fullWidth_, collapsed_ ? fullHeight_ - kCollapsedCut : fullHeight_,
               SWP_NOMOVE | SWP_NOZORDER);
}

void MyNetServType::OnBnClickedMore() {
  collapsed_ = !collapsed_;
  more_.SetTooltipText(Text(collapsed_ ? "TXT_BTN_SHOW_WIN_SRV" : "TXT_BTN_HIDE_WIN_SRV"));
  ApplyHeight();
}

void MyNetServType::RaiseAndDisable() {
  EnableWindow(false);
  SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetWindowPos(HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ShowWindow(SW_SHOWNORMAL);
  SetForegroundWindow();
}

void MyNetServType::Launch(const ShellLaunch& launch) {
  ::ShellExecuteW(nullptr, launch.verb.c_str(), launch.file.c_str(),
                  launch.parameters.empty() ? nullptr : launch.parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

void MyNetServType::OnBnClickedFileSharing() {
  RaiseAndDisable();
  auto* box = new CShowMsgDlg(this);
  if (box->CreateOnDesktop()) {
    box->SetTitleAndClear(Text("TXT_FILE_SHARING"));
    box->SetLine1(Text("TXT_CONNECTING"));
    box->ShowWindow(SW_SHOW);
  }
  PumpMessagesFor(kLaunchNoticeMs);
  Launch(FileSharingLaunch(ipText_));
  box->DestroyWindow();
  delete box;
  if (!IsEnding()) EndDialog(0);
}

void MyNetServType::OnBnClickedRemoteDesktop() {
  RaiseAndDisable();
  auto* box = new CShowMsgDlg(this);
  if (box->CreateOnDesktop()) {
    box->SetTitleAndClear(Text("TXT_RMT_DESKTOP"));
    box->SetLine1(Text("TXT_RUN_RMT_DESKTOP"));
    box->ShowWindow(SW_SHOW);
  }
  PumpMessagesFor(kLaunchNoticeMs);
  Launch(RemoteDesktopLaunch(ipText_));
  box->DestroyWindow();
  delete box;
  if (!IsEnding()) EndDialog(0);
}

void MyNetServType::OnBnClickedWol() {
  RaiseAndDisable();
  ShowTimedStatus(this, Text("TXT_WOL"), Text("TXT_WOL_MSG"), kLaunchNoticeMs);
  if (IsEnding()) return;
  result_ = kRemoteWakeUp;
  EndDialog(0);
}

void MyNetServType::OnBnClickedSwivo() {
  int count = 0;
  std::unique_ptr<std::wstring[]> parts = SplitString(ipText_, L'.', &count);
  CTandemkey pairing(this);
  if (count == 4 && parts) {
    pairing.peerOctet3_ = static_cast<uint8_t>(std::wcstol(parts[2].c_str(), nullptr, 10));
    pairing.peerOctet4_ = static_cast<uint8_t>(std::wcstol(parts[3].c_str(), nullptr, 10));
  }
  pairing.kmPort_ = static_cast<uint16_t>(kmPort_);
  pairing.passwordBuffer_ = passwordBuffer_;
  pairing.passwordEvent_ = passwordEvent_;
  pairing.folder_ = folder_;
  const INT_PTR paired = pairing.DoModal();
  if (paired == 0) {
    result_ = kRemoteSwivoPaired;
    EndDialog(0);
  } else if (paired == 1) {
    EndDialog(-1);
  }
}

void MyNetServType::OnBnClickedFwk() {
  wchar_t folder[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, folder);
  Launch(FileCopyLaunch(folder, ipText_));
}
