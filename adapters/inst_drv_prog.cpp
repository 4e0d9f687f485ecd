#include "adapters/inst_drv_prog.h"

#include <memory>

#include "adapters/inst_drv.h"
#include "adapters/install_sequence.h"
#include "adapters/program_folder.h"
#include "adapters/rmv_drv.h"
#include "adapters/status_box.h"
#include "adapters/wizard_choices.h"
#include "adapters/worker_wait.h"
#include "common/adapter_table.h"
#include "common/os_version.h"
#include "common/settings_file.h"
#include "framework/message_pump.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "shell/lang_text_format.h"
#include "shell/network_cable.h"
#include "shell/show_msg_dlg.h"

namespace {
constexpr int kZone = 5;
constexpr SIZE_T kInstallStack = 32 * 1024;
constexpr SIZE_T kScanStack = 8 * 1024;
constexpr DWORD kScanTickMs = 1000;

const wchar_t* Text(const char* key) { return LoadLangText(kZone, key); }

void CALLBACK IpScanTimerProc(void* box, BOOLEAN) { static_cast<CShowMsgDlg*>(box)->ShowScanUsedIpProgress(); }
}  // namespace

CInstDrvProg::CInstDrvProg(CWnd* parent, CInstDrv* wizard, int linkMode)
    : CDialog(IDD_INST_DRV_PROG, parent), wizard_(wizard), linkMode_(linkMode) {
  MapOpenDialogRegistration(*this);
  MapCommand(IDC_PROG_ENVIRONMENT, CBN_SELCHANGE, [this] { OnCbnSelchangeEnvironment(); });
  MapClicked(IDC_PROG_SHARED, [this] { OnBnClickedSharedStatic(); });
  MapClicked(IDC_PROG_INSTALL, [this] { OnBnClickedInstall(); });
  MapClicked(IDC_PROG_EXIT, [this] { OnBnClickedExit(*this); });
  MapMessage(UM_PROGRESS_TEXT, [this](WPARAM, LPARAM lParam) {
    if (lParam) SetDlgItemText(IDC_PROG_PROGRESS, reinterpret_cast<const wchar_t*>(lParam));
    return LRESULT(0);
  });
}

void CInstDrvProg::ShowLinkLabel(const char* textKey) {
  const UINT hidden[] = {IDC_PROG_ENVIRONMENT_LABEL, IDC_PROG_COUNT_LABEL, IDC_PROG_ENVIRONMENT, IDC_PROG_COUNT};
  for (UINT id : hidden) ::ShowWindow(GetDlgItemHandle(id), SW_HIDE);
  RECT check = {};
  ::GetWindowRect(GetDlgItemHandle(IDC_PROG_SHARED), &check);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&check), 2);
  HWND label = GetDlgItemHandle(IDC_PROG_LINK_LABEL);
  ::SetWindowPos(label, nullptr, check.left, check.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ::SetWindowTextW(label, Text(textKey));
  ::ShowWindow(label, SW_SHOW);
}

BOOL CInstDrvProg::OnInitDialog() {
  CDialog::OnInitDialog();
  xp_ = GetOsTypeCode() == kOsTypeWindowsXp;
  wizard_->m_installer->SetProgressWindow(m_hWnd);
  HWND environment = GetDlgItemHandle(IDC_PROG_ENVIRONMENT);
  auto add = [environment](const wchar_t* text) {
    ::SendMessageW(environment, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  };
  if (wizard_->m_wireless) {
    ShowLinkLabel("TXT_WIRELESS");
    SetDlgItemText(IDC_PROG_HELP, Text("WIRELESS_HELP"));
  } else if (linkMode_ == kModeCorvane) {
    add(L"DHCP");
    add(L"PPPoE");
    add(Text("MENU_STATIC"));
    ::SendMessageW(environment, CB_SETCURSEL, 0, 0);
    OnCbnSelchangeEnvironment();
  } else if (linkMode_ == kModeDirectConn) {
    ::ShowWindow(GetDlgItemHandle(IDC_PROG_COUNT_LABEL), SW_HIDE);
    ::ShowWindow(GetDlgItemHandle(IDC_PROG_COUNT), SW_HIDE);
    add(Text("MENU_QUICK_LINK_IP_1"));
    add(Text("MENU_QUICK_LINK_IP_2"));
    ::SendMessageW(environment, CB_SETCURSEL, 0, 0);
    SetDlgItemText(IDC_PROG_HELP, Text("QUICK_IP_HELP"));
  } else if (linkMode_ == kModeDualLan) {
    ShowLinkLabel("TXT_DUAL_LAN");
    SetDlgItemText(IDC_PROG_HELP, Text("PHYSICAL_HELP"));
  } else {
    ShowLinkLabel("TXT_ROUTER_DHCP");
    SetDlgItemText(IDC_PROG_HELP, Text("QUICK_DHCP_HELP"));
  }
  ::ShowWindow(GetDlgItemHandle(IDC_PROG_EXIT), SW_HIDE);
  return TRUE;
}

void CInstDrvProg::FillCounts(bool withNone) {
  HWND count = GetDlgItemHandle(IDC_PROG_COUNT);
  ::SendMessageW(count, CB_RESETCONTENT, 0, 0);
  if (withNone) ::SendMessageW(count, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text("TXT_NONE")));
  for (const wchar_t* n : {L"1", L"2", L"3"}) ::SendMessageW(count, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n));
  ::SendMessageW(count, CB_SETCURSEL, 0, 0);
}

void CInstDrvProg::OnCbnSelchangeEnvironment() {
  if (linkMode_ != kModeCorvane || wizard_->m_wireless) return;
  int environment = static_cast<int>(::SendMessageW(GetDlgItemHandle(IDC_PROG_ENVIRONMENT), CB_GETCURSEL, 0, 0));
  HWND count = GetDlgItemHandle(IDC_PROG_COUNT);
  HWND shared = GetDlgItemHandle(IDC_PROG_SHARED);
  if (environment == kEnvPppoe) {
    ::SendMessageW(count, CB_RESETCONTENT, 0, 0);
    ::SendMessageW(count, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text("TXT_N_A")));
    ::SendMessageW(count, CB_SETCURSEL, 0, 0);
    ::EnableWindow(count, FALSE);
    ::ShowWindow(shared, SW_HIDE);
    SetDlgItemText(IDC_PROG_HELP, Text("PPPOE_HELP"));
    return;
  }
  FillCounts(true);
  ::EnableWindow(count, TRUE);
  if (environment == kEnvStatic) {
    ::SendMessageW(shared, BM_SETCHECK, BST_UNCHECKED, 0);
    ::ShowWindow(shared, SW_SHOW);
    SetDlgItemText(IDC_PROG_HELP, Text("STATIC_HELP"));
  } else {
    ::ShowWindow(shared, SW_HIDE);
    SetDlgItemText(IDC_PROG_HELP, Text("DHCP_HELP"));
  }
}

void CInstDrvProg::OnBnClickedSharedStatic() {
  FillCounts(::SendMessageW(GetDlgItemHandle(IDC_PROG_SHARED), BM_GETCHECK, 0, 0) != BST_CHECKED);
}

void CInstDrvProg::ComputeLinkTypeAndCount() {
  int environment = static_cast<int>(::SendMessageW(GetDlgItemHandle(IDC_PROG_ENVIRONMENT), CB_GETCURSEL, 0, 0));
  bool shared = ::SendMessageW(GetDlgItemHandle(IDC_PROG_SHARED), BM_GETCHECK, 0, 0) == BST_CHECKED;
  linkType_ = LinkTypeFromChoices(linkMode_, environment, shared);
  HWND count = GetDlgItemHandle(IDC_PROG_COUNT);
  int selected = static_cast<int>(::SendMessageW(count, CB_GETCURSEL, 0, 0));
  std::wstring entry;
  if (selected >= 0) {
    wchar_t text[32] = {};
    if (::SendMessageW(count, CB_GETLBTEXTLEN, selected, 0) < 32)
      ::SendMessageW(count, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text));
    entry = text;
  }
  nicCount_ = NicCountFor(linkType_, ExtraAdaptersFromEntry(entry));
}

bool CInstDrvProg::CheckCableAndScan() {
  const wchar_t* adapterName = wizard_->m_adapters[wizard_->m_selected].description;
  if (!g_AdapterTable.GetLinkFlag(adapterName)) {
    CNetworkCable cable(this);
    cable.m_adapterName = adapterName;
    INT_PTR answer = cable.DoModal();
    if (answer == -1) return false;
    if (answer == -2) return true;
  }
  RunScan();
  return true;
}

void CInstDrvProg::RunScan() {
  auto scan = std::make_unique<UsedAddressScan>();
  scan->adapterGuid = wizard_->m_adapters[wizard_->m_selected].guid;
  scan->subnet = wizard_->m_subnet;
  scan->xp = xp_;
  scan->installer = wizard_->m_installer.get();
  auto* box = new CShowMsgDlg(this);
  bool shown = box->CreateOnDesktop();
  if (shown) {
    box->SetTitleAndClear(Text("TXT_SCAN_USED_IP"));
    box->ShowWindow(SW_SHOW);
    box->UpdateWindow();
  }
  HANDLE timer = nullptr;
  if (shown) ::CreateTimerQueueTimer(&timer, nullptr, IpScanTimerProc, box, 0, kScanTickMs, WT_EXECUTEDEFAULT);
  RunWorkerWithMessages(IpScanThreadProc, scan.get(), kScanStack);
  // A tick that is running is waited for before the box goes.
  if (timer) ::DeleteTimerQueueTimer(nullptr, timer, INVALID_HANDLE_VALUE);
  if (shown) box->DestroyWindow();
  delete box;

  bool used[kScanHosts];
  UsedHosts(*scan, used);
  const int planned = wizard_->m_host;
  FreeHostPick pick = PickFreeHost(used, planned, ::GetTickCount());
  if (pick.changed) {
    wizard_->m_host = pick.host;
    ShowTimedNotice(this, Text("TITLE_AUTO_CHG_IP"), FormatLangText(Text("TXT_IP_USED"), planned),
                    FormatLangText(Text("TXT_AUTO_CHG"), pick.host), 2000);
  } else if (pick.noFreeHost) {
    ShowTimedNotice(this, Text("TITLE_AUTO_CHG_IP"), FormatLangText(Text("TXT_IP_USED"), planned),
                    FormatLangText(Text("TXT_NO_FREE_IP"), planned), 2000);
  }
  ShowTimedNotice(this, Text("TITLE_SCAN_COMPLETED"), Text("TITLE_SCAN_COMPLETED"), L"", 1000);
}

DWORD WINAPI CInstDrvProg::InstallThreadProc(void* self) {
  auto* dialog = static_cast<CInstDrvProg*>(self);
  CInstDrv* wizard = dialog->wizard_;
  const AdapterRecord& adapter = wizard->m_adapters[wizard->m_selected];
  RunInstall(wizard->m_installer.get(), wizard->m_wireless, wizard->m_subnet, wizard->m_host, adapter.guid,
             adapter.description, wizard->m_physicalMac, wizard->m_virtualMac, dialog->linkType_, dialog->nicCount_);
  dialog->m_success = wizard->m_installer->IsDone();
  return 0;
}

void CInstDrvProg::WriteInstallationSettings() {
  const std::wstring folder = ProgramFolder();
  WriteSettingsFile(SettingsFilePath(folder, L"DrvInstWanType.txt"),
                    {WanTypeKeyword(wizard_->m_wireless, linkType_), std::to_wstring(nicCount_)});
  WriteSettingsFile(SettingsFilePath(folder, L"EchowardSetting.txt"), {L"ENABLED"});
  WriteSettingsFile(SettingsFilePath(folder, L"SwKbSetting.txt"), {L"1"});
}

void CInstDrvProg::OnBnClickedInstall() {
  EnableWindow(false);
  BringDialogToFront(m_hWnd);
  for (UINT id : {IDC_PROG_ENVIRONMENT, IDC_PROG_COUNT, IDC_PROG_INSTALL, IDC_PROG_SHARED}) {
    ::EnableWindow(GetDlgItemHandle(id), FALSE);
    ::UpdateWindow(GetDlgItemHandle(id));
  }
  SetDlgItemText(IDC_PROG_PROGRESS, Text("TXT_INSTALLING"));
  if (ScansUsedAddresses(wizard_->m_wireless, linkMode_) && !CheckCableAndScan()) {
    EndDialog(0);
    return;
  }
  ComputeLinkTypeAndCount();
  m_success = false;
  wizard_->m_installer->SetDone(false);
  RunWorkerWithMessages(&CInstDrvProg::InstallThreadProc, this, kInstallStack);
  if (m_success) {
    SetDlgItemText(IDC_PROG_PROGRESS, Text("TXT_INST_DRV_COMPLETED"));
    WriteInstallationSettings();
    PostMessage(WM_CLOSE);
  } else {
    ::ShowWindow(GetDlgItemHandle(IDC_PROG_INSTALL), SW_HIDE);
    ::ShowWindow(GetDlgItemHandle(IDC_PROG_EXIT), SW_SHOW);
  }
  EnableWindow(true);
  BringDialogToFront(m_hWnd);
}
