#include "adapters/inst_drv.h"

#include <cstdio>
#include <string>

#include "adapters/address_plan.h"
#include "adapters/chg_mac.h"
#include "adapters/inst_drv_prog.h"
#include "adapters/inst_drv_type.h"
#include "common/adapter_table.h"
#include "common/os_version.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/help_msg.h"
#include "shell/lang_text.h"
#include "shell/msg_ok_dlg.h"

namespace {
constexpr int kZone = 6;
constexpr int kNameUnits = 16;
constexpr UINT kWiredOnlyControls[] = {IDC_INST_SETTINGS_GROUP, IDC_INST_NETWORK_NAME_LABEL, IDC_INST_NETWORK_NAME,
                                       IDC_INST_FORCE_SUBNET,   IDC_INST_IP,                 IDC_INST_MAC,
                                       IDC_INST_CHANGE_MAC,     IDC_INST_IP_LABEL,           IDC_INST_MAC_LABEL};

RECT ChildRect(HWND dialog, UINT id) {
  RECT rect = {};
  ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void AddTool(HWND tooltip, HWND owner, HWND control, const wchar_t* text) {
  TOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(text);
  ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}
}  // namespace

CInstDrv::CInstDrv(CWnd* parent) : CDialog(IDD_INST_DRV, parent) {
  MapOpenDialogRegistration(*this);
  MapCommand(IDC_INST_NETWORK_NAME, EN_CHANGE, [this] { OnEnChangeNetworkName(); });
  MapNotify(IDC_INST_ADAPTER_LIST, NM_DBLCLK, [this](NMHDR* header, LRESULT*) { OnNMDblclkAdapterList(header); });
  MapClicked(IDC_INST_WIRED, [this] { OnBnClickedWired(); });
  MapClicked(IDC_INST_WIRELESS, [this] { OnBnClickedWireless(); });
  MapClicked(IDC_INST_NEXT, [this] { OnBnClickedNext(); });
  MapClicked(IDC_INST_CHANGE_MAC, [this] { OnBnClickedChangeMac(); });
  MapClicked(IDC_INST_FORCE_SUBNET, [this] { OnBnClickedForceSubnet(); });
}

CInstDrv::~CInstDrv() {
  if (tooltip_) ::DestroyWindow(tooltip_);
}

BOOL CInstDrv::OnInitDialog() {
  CDialog::OnInitDialog();
  adapterList_.SubclassDlgItem(IDC_INST_ADAPTER_LIST, this);
  forceSubnet_.SubclassDlgItem(IDC_INST_FORCE_SUBNET, this);
  tooltip_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, nullptr, nullptr);
  if (tooltip_) {
    AddTool(tooltip_, m_hWnd, GetDlgItemHandle(IDC_INST_CHANGE_MAC), LoadLangText(kZone, "TXT_CHG_MAC"));
    AddTool(tooltip_, m_hWnd, adapterList_, LoadLangText(kZone, "TXT_DBL_CLICK_PHY_TO_CREATE"));
    ::SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
  }
  forceSubnet_.SetIcon(IDI_FORCE_SUBNET);
  const int os = GetOsTypeCode();
  m_xp = os == kOsTypeWindowsXp;
  m_vista = os == 7 || os == 8;
  SetDlgItemText(IDC_INST_HELP, LoadLangText(kZone, "TXT_NETWORK_NAME_HELP"));
  RECT client;
  adapterList_.GetClientRect(&client);
  adapterList_.InsertColumn(0, LoadLangText(kZone, "COL_NET_ADAPT_NAME"), LVCFMT_LEFT, client.right - 20);
  m_installer = std::make_unique<CNicInstaller>();
  m_installer->SetDone(false);
  m_installer->SetXp(m_xp);
  m_adapterChosen = false;
  m_wireless = false;
  FillAdapterList();
  ::CheckRadioButton(m_hWnd, IDC_INST_WIRED, IDC_INST_WIRELESS, IDC_INST_WIRED);
  if (m_xp) {
    ::ShowWindow(GetDlgItemHandle(IDC_INST_WIRED), SW_HIDE);
    ::ShowWindow(GetDlgItemHandle(IDC_INST_WIRELESS), SW_HIDE);
  }
  helpRect_ = ChildRect(m_hWnd, IDC_INST_HELP);
  groupRect_ = ChildRect(m_hWnd, IDC_INST_SETTINGS_GROUP);
  for (uint8_t& byte : m_physicalMac) byte = 0;
  // The edit's change runs the subnet rule.
  SetDlgItemText(IDC_INST_NETWORK_NAME, L"mynet");
  OnEnChangeNetworkName();
  return TRUE;
}

BOOL CInstDrv::PreTranslateMessage(MSG* msg) {
  if (tooltip_) ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
  return CDialog::PreTranslateMessage(msg);
}

void CInstDrv::FillAdapterList() {
  m_adapterCount = EnumPhysicalAdapters(m_adapters, m_xp, m_vista, m_wireless);
  adapterList_.DeleteAllItems();
  for (int i = 0; i < m_adapterCount; ++i) adapterList_.InsertItem(0, m_adapters[i].description);
}

void CInstDrv::ShowAddress() {
  wchar_t text[32];
  if (m_adapterChosen) {
    std::swprintf(text, 32, L"%d.%d.%d.%d", 192, 168, m_subnet, m_host);
  } else {
    std::swprintf(text, 32, L"%d.%d.%d.XXX", 192, 168, m_subnet);
  }
  SetDlgItemText(IDC_INST_IP, text);
}

void CInstDrv::ApplyHostAndMacRule() {
  if (!m_adapterChosen) {
    SetDlgItemText(IDC_INST_MAC, L"02-XX-XX-XX-XX-00");
    return;
  }
  ProposeVirtualMac(m_virtualMac, m_physicalMac, m_subnet);
  m_host = HostFromMac(m_physicalMac);
  wchar_t text[24];
  std::swprintf(text, 24, L"%02X-%02X-%02X-%02X-%02X-%02X", m_virtualMac[0], m_virtualMac[1], m_virtualMac[2],
                m_virtualMac[3], m_virtualMac[4], m_virtualMac[5]);
  SetDlgItemText(IDC_INST_MAC, text);
  ShowAddress();
}

void CInstDrv::OnEnChangeNetworkName() {
  std::wstring name = GetDlgItemText(IDC_INST_NETWORK_NAME).substr(0, kNameUnits);
  m_subnet = SubnetFromNetworkName(name);
  ShowAddress();
  ApplyHostAndMacRule();
}

void CInstDrv::ShowMessage(const char* captionKey, const char* textKey) {
  CMsgOkDlg message(this);
  message.m_caption = LoadLangText(kZone, captionKey);
  message.m_text = LoadLangText(kZone, textKey);
  message.DoModal();
}

void CInstDrv::OnNMDblclkAdapterList(NMHDR* header) {
  int item = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
  if (item < 0) return;
  const std::wstring text = adapterList_.GetItemText(item, 0).substr(0, 511);
  if (m_xp) {
    int same = 0;
    for (int i = 0; i < m_adapterCount; ++i) same += text == m_adapters[i].description ? 1 : 0;
    if (same >= 2) {
      ShowMessage("TXT_DUP_NETWORK_NAME", "TXT_DUP_NETWORK_MSG");
      ::EnableWindow(GetDlgItemHandle(IDC_INST_NEXT), FALSE);
      nextLocked_ = true;
    }
  }
  // Without its MAC a wired adapter would give every such computer H = 1 and the same virtual
  // MACs: it is refused.
  if (!m_wireless && g_AdapterTable.Find(text.c_str()) < 0) {
    ShowMessage("TITLE_SEL_NETWORK_ADAPT", "TXT_NO_PHY_MAC");
    return;
  }
  SetDlgItemText(IDC_INST_ADAPTER_NAME, text);
  for (uint8_t& byte : m_physicalMac) byte = 0;
  g_AdapterTable.GetMac(m_physicalMac, text.c_str());
  for (int i = 0; i < m_adapterCount; ++i) {
    if (text != m_adapters[i].description) continue;
    m_selected = i;
    m_adapterChosen = true;
    if (!m_wireless) ::ShowWindow(GetDlgItemHandle(IDC_INST_CHANGE_MAC), SW_SHOW);
    break;
  }
  ApplyHostAndMacRule();
}

void CInstDrv::SwitchKind(bool wireless) {
  if (m_wireless == wireless) return;
  m_wireless = wireless;
  m_adapterChosen = false;
  SetDlgItemText(IDC_INST_ADAPTER_NAME, L"");
  OnEnChangeNetworkName();
  FillAdapterList();
  for (UINT id : kWiredOnlyControls) ::ShowWindow(GetDlgItemHandle(id), wireless ? SW_HIDE : SW_SHOW);
  const RECT& help = wireless ? groupRect_ : helpRect_;
  ::MoveWindow(GetDlgItemHandle(IDC_INST_HELP), help.left, help.top, help.right - help.left, help.bottom - help.top,
               TRUE);
  SetDlgItemText(IDC_INST_HELP, LoadLangText(kZone, wireless ? "WIRELESS_TXT" : "TXT_NETWORK_NAME_HELP"));
}

void CInstDrv::OnBnClickedWired() { SwitchKind(false); }
void CInstDrv::OnBnClickedWireless() { SwitchKind(true); }

void CInstDrv::OnBnClickedChangeMac() {
  CChgMac change(this);
  // Before any adapter is chosen the proposal is 02-00-00-00-00-00 and what is typed still counts.
  for (int i = 0; i < 6; ++i) change.m_oldMac[i] = m_virtualMac[i];
  change.m_oldMac[0] = 0x02;
  if (change.DoModal() != 0) return;
  m_virtualMac[0] = 0x02;
  for (int i = 0; i < 4; ++i) m_virtualMac[i + 1] = change.m_newOctets[i];
  m_virtualMac[5] = 0x00;
  wchar_t text[24];
  std::swprintf(text, 24, L"%02X-%02X-%02X-%02X-%02X-%02X", m_virtualMac[0], m_virtualMac[1], m_virtualMac[2],
                m_virtualMac[3], m_virtualMac[4], m_virtualMac[5]);
  SetDlgItemText(IDC_INST_MAC, text);
}

void CInstDrv::OnBnClickedForceSubnet() {
  CHelpMsg help(this);
  help.m_caption = LoadLangText(kZone, "TITLE_FORCE_SUBNET");
  help.m_heading = LoadLangText(kZone, "TITLE_FORCE_SUBNET");
  help.m_body = LoadLangText(kZone, "HELP_FORCE_SUBNET");
  help.DoModal();
}

void CInstDrv::OnBnClickedNext() {
  if (!m_adapterChosen) {
    ShowMessage("TITLE_SEL_NETWORK_ADAPT", "TXT_SEL_NETWORK_ADAPT");
    return;
  }
  HWND next = GetDlgItemHandle(IDC_INST_NEXT);
  ::EnableWindow(next, FALSE);
  ::UpdateWindow(next);
  bool succeeded = false;
  if (m_wireless) {
    CInstDrvProg progress(this, this, -1);
    progress.DoModal();
    succeeded = progress.m_success;
  } else {
    CInstDrvType type(this, this);
    type.DoModal();
    succeeded = type.m_success;
  }
  if (succeeded) {
    m_success = true;
    PostMessage(WM_CLOSE);
  }
  if (!nextLocked_) ::EnableWindow(next, TRUE);
}
