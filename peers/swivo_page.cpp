#include "peers/swivo_page.h"

#include "common/adapter_table.h"
#include "common/settings_file.h"
#include "common/text_helpers.h"
#include "controls/bold_font.h"
#include "peers/allowed_hosts_dlg.h"
#include "peers/computer_list.h"
#include "peers/countdown_wait.h"
#include "peers/hotkey_dlg.h"
#include "peers/km_bind_address.h"
#include "peers/km_input_capture.h"
#include "peers/km_settings.h"
#include "peers/scan_plan.h"
#include "peers/scan_response_setting.h"
#include "resources/program_images.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "shell/lang_text_format.h"
#include "shell/main_messages.h"
#include "shell/network_cable.h"
#include "shell/show_msg_dlg.h"

#include <cstdio>
#include <memory>

namespace {
constexpr int32_t kZone = 2;
constexpr DWORD kStepMs = 250;

const wchar_t* Text(const char* key) { return LoadLangText(kZone, key); }
}  // namespace

CMyServer::CMyServer() : CDialog(IDD_MY_SERVER) {
  MapTabPageCommands(*this);
  MapClicked(IDC_SWIVO_PAIR_WINDOW, [this] { OnBnClickedKmSrv(); });
  MapClicked(IDC_SWIVO_KEYS, [this] { OnBnClickedKey(); });
  MapClicked(IDC_SWIVO_KM, [this] { OnBnClickedKm(); });
  MapClicked(IDC_SWIVO_HOTKEYS, [this] { OnBnClickedHotkey(); });
}

void CMyServer::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_SWIVO_PAIR_WINDOW, pairWindow_);
  DDX_Control(dx, IDC_SWIVO_KM, km_);
  DDX_Control(dx, IDC_SWIVO_KEYS, keys_);
  DDX_Control(dx, IDC_SWIVO_HOTKEYS, hotkeys_);
}

void CMyServer::SetLocalIp(const uint8_t octets[4]) {
  for (int i = 0; i < 4; ++i) ownIp_[i] = octets[i];
  noPrivateAddress_ = IsNoPrivateAddress(octets);
  if (noPrivateAddress_) LookupLocalIp();
}

void CMyServer::LookupLocalIp() {
  wchar_t address[16] = {};
  if (!GetAdapterIpByGuid(address, adapterGuidName_.c_str())) return;
  const std::wstring text = address;
  int count = 0;
  std::unique_ptr<std::wstring[]> parts = SplitString(text, L'.', &count);
  if (count != 4 || !parts) return;
  for (int i = 0; i < 4; ++i) ownIp_[i] = static_cast<uint8_t>(std::wcstol(parts[i].c_str(), nullptr, 10));
}

BOOL CMyServer::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_SWIVO_HINT, Text("TXT_SWIVO_HINT"));
  const struct { CGdipButton* button; UINT image; const char* key; } buttons[] = {
      {&hotkeys_, IDP_APPLY, "TXT_MANAGE_HOTKEY"},
      {&km_, IDP_SWIVO, "TXT_START_SWIVO"},
      {&pairWindow_, IDP_CONNECT, "TXT_PAIR_KEY_SWIVO_CLIENT"},
      {&keys_, IDP_COMPUTER_LIST, "TXT_MANAGE_KEY"},
  };
  for (const auto& row : buttons) {
    row.button->LoadStdImage(row.image);
    row.button->SetWindowText(Text(row.key));
    row.button->SetTooltipText(Text(row.key));
  }
  km_.hasAlternate = true;
  km_.toggle = true;
  km_.LoadAltImage(IDP_REFRESH);
  ::ShowWindow(GetDlgItemHandle(IDC_SWIVO_HOTKEY_LINE), SW_HIDE);

  switch (ReadScanResponseSetting(folder_)) {
    case ScanResponseSetting::kEnabled: SignalScanResponse(true); break;
    case ScanResponseSetting::kDisabled: SignalScanResponse(false); break;
    case ScanResponseSetting::kMissing: break;
  }
  std::wstring mode;
  ReadSettingValue(SettingsFilePath(folder_, kSwKbSettingFile), mode);
  mode = TrimWhiteSpace(mode);
  if (mode == L"0") switchMode_ = 0;
  if (mode == L"1") switchMode_ = 1;
  return TRUE;
}

BOOL CMyServer::PreTranslateMessage(MSG* msg) {
  SwallowEnterAndEscape(msg);
  return CDialog::PreTranslateMessage(msg);
}

bool CMyServer::LinkCheckPassed() {
  if (g_AdapterTable.GetLinkFlag(adapterName_.c_str()) != 0) return true;
  CNetworkCable cable(this);
  cable.m_adapterName = adapterName_.c_str();
  return cable.DoModal() != -1;
}

void CMyServer::AdoptLookedUpAddress() {
  if (!noPrivateAddress_) return;
  LookupLocalIp();
  if (computerList_) computerList_->subnet = ownIp_[2];
}

void CMyServer::TurnOn() {
  controllerMode_ = true;
  HWND line = GetDlgItemHandle(IDC_SWIVO_HOTKEY_LINE);
  ::SetWindowTextW(line, Text(switchMode_ == 1 ? "TXT_SHOW_HOTKEY_LST_CTRL" : "TXT_SHOW_HOTKEY_LST_CTRL_ALT"));
  SetBoldFont(line);
  ::ShowWindow(line, SW_SHOW);
  km_.alternateShown = true;
  km_.Invalidate();
  StartSwivo({mainWindow_, controller_, server_, kmPort_});
}

void CMyServer::TurnOff() {
  controllerMode_ = false;
  ::ShowWindow(GetDlgItemHandle(IDC_SWIVO_HOTKEY_LINE), SW_HIDE);
  km_.alternateShown = false;
  km_.Invalidate();
  StopSwivo();
}

void CMyServer::OnBnClickedKm() {
  if (!controllerMode_ && !LinkCheckPassed()) return;
  AdoptLookedUpAddress();
  if (controllerMode_) {
    TurnOff();
  } else {
    TurnOn();
  }
}

void CMyServer::StartSwivoIfStopped() {
  if (!controllerMode_) TurnOn();
}

void CMyServer::OnBnClickedKmSrv() {
  pairWindow_.EnableWindow(false);
  EnableWindow(false);
  if (LinkCheckPassed()) {
    AdoptLookedUpAddress();
    auto* box = new CShowMsgDlg(this);
    HANDLE cancel = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    box->m_customButtonWanted = true;
    box->m_customButtonCaption = Text("TXT_CANCEL");
    box->m_customButtonEvent = cancel;
    if (box->CreateOnDesktop()) {
      box->SetTitleAndClear(Text("TXT_AUTO_PAIR"));
      box->SetLine1(Text("TXT_ANOTHER_COMP_CONN"));
      box->SetLine2(Text("TXT_WAITING_CONN_NO_CNT"));
      box->ShowWindow(SW_SHOW);
    }
    if (pairingAllowed_) *pairingAllowed_ = true;
    const int totalSeconds = static_cast<int>(pairingWindowMs_ / 1000);
    CountdownThread countdown(static_cast<int>(pairingWindowMs_ / kStepMs), kStepMs, [box, totalSeconds](int seconds) {
      box->SetLine2(FormatLangText(LoadLangText(kZone, "TXT_WAITING_CONN"), seconds, totalSeconds));
    });
    if (countdown.Start()) {
      std::vector<HANDLE> handles;
      if (cancel) handles.push_back(cancel);
      if (passwordSent_) handles.push_back(passwordSent_);
      handles.push_back(countdown.Handle());
      WaitAnyWithMessages(handles.data(), static_cast<DWORD>(handles.size()));
    }
    countdown.Stop();
    if (pairingAllowed_) *pairingAllowed_ = false;
    box->DestroyWindow();
    delete box;  // closes the cancel event
  }
  pairWindow_.EnableWindow(true);
  EnableWindow(true);
}

void CMyServer::OnBnClickedKey() {
  MgmtKmSrv dialog(this);
  dialog.folder_ = folder_;
  dialog.computerList_ = computerList_;
  if (dialog.DoModal() == 0 && mainWindow_) ::SendMessageW(mainWindow_, UM_RELOAD_KM_KEYS, 0, 0);
}

void CMyServer::OnBnClickedHotkey() {
  CMgmtKm dialog(this);
  dialog.folder_ = folder_;
  if (computerList_) dialog.List().CopyHostsFrom(*computerList_);
  if (dialog.DoModal() != 0) return;
  switchMode_ = dialog.SwitchMode();
  SaveSwitchMode(folder_, switchMode_);
  if (mainWindow_) ::SendMessageW(mainWindow_, UM_RELOAD_KM_SETTINGS, 0, 0);
  if (controllerMode_) {
    OnBnClickedKm();
    OnBnClickedKm();
  }
}
