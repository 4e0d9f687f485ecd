#include "adapters/chg_static_ip.h"

#include <cstdio>

#include "adapters/adapter_enum.h"
#include "adapters/install_plan.h"
#include "adapters/netsh_address.h"
#include "adapters/status_box.h"
#include "common/os_version.h"
#include "framework/message_pump.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "shell/msg_ok_dlg.h"

namespace {
constexpr int kZone = 3;
constexpr wchar_t kMask[] = L"255.255.255.0";
constexpr wchar_t kFirstOctets[] = L"192.168";
constexpr UINT kOctetUnits = 3;
constexpr UINT kGatewayFields[] = {IDC_STATIC_GW_PREFIX, IDC_STATIC_GW3, IDC_STATIC_GW4, IDC_STATIC_DNS1,
                                   IDC_STATIC_DNS2,      IDC_STATIC_DNS3, IDC_STATIC_DNS4};
constexpr UINT kDnsFields[] = {IDC_STATIC_DNS1, IDC_STATIC_DNS2, IDC_STATIC_DNS3, IDC_STATIC_DNS4};
constexpr UINT kOctetFields[] = {IDC_STATIC_IP3, IDC_STATIC_IP4, IDC_STATIC_GW3,  IDC_STATIC_GW4,
                                 IDC_STATIC_DNS1, IDC_STATIC_DNS2, IDC_STATIC_DNS3, IDC_STATIC_DNS4};

std::wstring AddressText(const uint8_t ip[4]) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%u.%u.%u.%u", ip[0], ip[1], ip[2], ip[3]);
  return text;
}
}  // namespace

CChgStaticIp::CChgStaticIp(CWnd* parent) : CDialog(IDD_CHG_STATIC_IP, parent) {
  MapOpenDialogRegistration(*this);
  MapCommand(IDC_STATIC_ADAPTER, CBN_SELCHANGE, [this] { OnCbnSelchangeAdapter(); });
  MapClicked(IDC_STATIC_GW_TOGGLE, [this] { OnBnClickedDisableGateway(); });
  MapCommand(IDC_STATIC_IP3, EN_CHANGE, [this] { FollowThirdOctet(IDC_STATIC_IP3, IDC_STATIC_GW3); });
  MapCommand(IDC_STATIC_GW3, EN_CHANGE, [this] { FollowThirdOctet(IDC_STATIC_GW3, IDC_STATIC_IP3); });
  MapClicked(IDC_STATIC_CANCEL, [this] { EndDialog(0); });
}

BOOL CChgStaticIp::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(LoadLangText(kZone, "CHG_STATIC_IP_TITLE"));
  recordCount_ = 0;
  if (EnumAdaptersWithPppoe(records_, &recordCount_, kMiniportsOnly)) {
    entries_ = StaticAdapterEntries(records_, recordCount_, AddressText(m_privateIp), m_cloneGuid, m_staticOnly);
  }
  HWND combo = GetDlgItemHandle(IDC_STATIC_ADAPTER);
  for (const StaticAdapterEntry& entry : entries_) {
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
  }
  ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
  OnCbnSelchangeAdapter();
  SetDlgItemText(IDC_STATIC_IP_PREFIX, kFirstOctets);
  SetDlgItemText(IDC_STATIC_MASK, kMask);
  for (UINT id : kOctetFields) ::SendMessageW(GetDlgItemHandle(id), EM_SETLIMITTEXT, kOctetUnits, 0);
  return TRUE;
}

void CChgStaticIp::OnCbnSelchangeAdapter() {
  int selected = static_cast<int>(::SendMessageW(GetDlgItemHandle(IDC_STATIC_ADAPTER), CB_GETCURSEL, 0, 0));
  std::wstring address = L"0.0.0.0";
  std::wstring gateway = L"0.0.0.0";
  chosenGuid_.clear();
  if (selected >= 0 && static_cast<size_t>(selected) < entries_.size()) {
    const IpAdapterRecord& record = records_[entries_[selected].record];
    address = record.ipv4;
    gateway = record.gateway;
    chosenGuid_ = record.adapterName;
  }
  std::vector<std::wstring> parts = AddressParts(address);
  following_ = true;
  SetDlgItemText(IDC_STATIC_IP3, parts[2]);
  SetDlgItemText(IDC_STATIC_IP4, parts[3]);
  following_ = false;
  if (gateway != L"0.0.0.0" && !gateway.empty()) {
    std::vector<std::wstring> gatewayParts = AddressParts(gateway);
    ShowGatewayEnabled(gatewayParts[2], gatewayParts[3]);
  } else {
    ShowGatewayDisabled();
  }
}

void CChgStaticIp::EnableGatewayFields(bool enable) {
  for (UINT id : kGatewayFields) ::EnableWindow(GetDlgItemHandle(id), enable);
}

void CChgStaticIp::ShowGatewayDisabled() {
  gatewayDisabled_ = true;
  SetDlgItemText(IDC_STATIC_GW_TOGGLE, L"Enable gateway");
  following_ = true;
  for (UINT id : kGatewayFields) SetDlgItemText(id, L"");
  following_ = false;
  EnableGatewayFields(false);
}

void CChgStaticIp::ShowGatewayEnabled(const std::wstring& octet3, const std::wstring& octet4) {
  gatewayDisabled_ = false;
  SetDlgItemText(IDC_STATIC_GW_PREFIX, kFirstOctets);
  SetDlgItemText(IDC_STATIC_GW_TOGGLE, L"Disable gateway");
  following_ = true;
  SetDlgItemText(IDC_STATIC_GW3, octet3);
  following_ = false;
  SetDlgItemText(IDC_STATIC_GW4, octet4);
  std::vector<std::wstring> dns = AddressParts(kPublicDnsServer);
  for (int i = 0; i < 4; ++i) SetDlgItemText(kDnsFields[i], dns[i]);
  EnableGatewayFields(true);
}

void CChgStaticIp::OnBnClickedDisableGateway() {
  if (!gatewayDisabled_) {
    ShowGatewayDisabled();
  } else {
    ShowGatewayEnabled(GetDlgItemText(IDC_STATIC_IP3), L"1");
  }
}

void CChgStaticIp::FollowThirdOctet(UINT edited, UINT other) {
  if (following_ || gatewayDisabled_) return;
  std::wstring text = GetDlgItemText(edited);
  if (GetDlgItemText(other) == text) return;
  following_ = true;
  SetDlgItemText(other, text);
  following_ = false;
  HWND field = GetDlgItemHandle(edited);
  int end = ::GetWindowTextLengthW(field);
  ::SendMessageW(field, EM_SETSEL, end, end);
}

bool CChgStaticIp::OctetsValid() const {
  const size_t used = gatewayDisabled_ ? 2 : sizeof(kOctetFields) / sizeof(kOctetFields[0]);
  for (size_t i = 0; i < used; ++i) {
    if (!IsOctetText(GetDlgItemText(kOctetFields[i]))) return false;
  }
  return true;
}

void CChgStaticIp::OnOK() {
  // The texts go into a netsh command line: only plain octets may.
  if (!OctetsValid()) {
    CMsgOkDlg message(this);
    message.m_caption = LoadLangText(kZone, "CHG_STATIC_IP_TITLE");
    message.m_text = LoadLangText(kZone, "TXT_BAD_OCTET");
    message.DoModal();
    return;
  }
  CShowMsgDlg* box = OpenStatusBox(this, LoadLangText(kZone, "CHG_STATIC_IP_TITLE"),
                                   LoadLangText(kZone, "CHG_STATIC_IP_TITLE"));
  const std::wstring address = L"192.168." + GetDlgItemText(IDC_STATIC_IP3) + L"." + GetDlgItemText(IDC_STATIC_IP4);
  const bool xp = GetOsTypeCode() == kOsTypeWindowsXp;
  // An empty combo leaves no adapter to change.
  if (!chosenGuid_.empty()) {
    if (gatewayDisabled_) {
      SetStaticIp(xp, chosenGuid_, address, kMask);
    } else {
      const std::wstring gateway =
          L"192.168." + GetDlgItemText(IDC_STATIC_GW3) + L"." + GetDlgItemText(IDC_STATIC_GW4);
      const std::wstring dns = GetDlgItemText(IDC_STATIC_DNS1) + L"." + GetDlgItemText(IDC_STATIC_DNS2) + L"." +
                               GetDlgItemText(IDC_STATIC_DNS3) + L"." + GetDlgItemText(IDC_STATIC_DNS4);
      SetStaticIpAndDns(xp, chosenGuid_, address, kMask, gateway, dns);
    }
  }
  PumpMessagesFor(1000);
  CloseStatusBox(box);
  EndDialog(0);
}
