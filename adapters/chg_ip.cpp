#include "adapters/chg_ip.h"

#include <cstdio>

#include "adapters/adapter_lookup.h"
#include "adapters/address_dialog_rules.h"
#include "adapters/netsh_address.h"
#include "adapters/program_folder.h"
#include "adapters/status_box.h"
#include "common/os_version.h"
#include "common/settings_file.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "shell/msg_ok_dlg.h"

namespace {
constexpr int kZone = 3;
constexpr UINT kHostUnits = 15;
constexpr DWORD kAddressArrivalMs = 5000;

std::wstring SettingLine(const wchar_t* file) {
  std::wstring value;
  ReadSettingValue(SettingsFilePath(ProgramFolder(), file), value);
  return TrimWhiteSpace(value);
}

std::wstring Octets(const uint8_t* ip, int count) {
  std::wstring text;
  for (int i = 0; i < count; ++i) text += (i ? L"." : L"") + std::to_wstring(ip[i]);
  return text;
}
}  // namespace

CChgIp::CChgIp(CWnd* parent) : CDialog(IDD_CHG_IP, parent) {
  MapOpenDialogRegistration(*this);
  MapClicked(IDC_CHGIP_RESET, [this] { OnBnClickedResetToDefault(); });
  MapClicked(IDC_CHGIP_CANCEL, [this] { EndDialog(-1); });
}

BOOL CChgIp::OnInitDialog() {
  CDialog::OnInitDialog();
  xp_ = GetOsTypeCode() == kOsTypeWindowsXp;
  SetWindowText(LoadLangText(kZone, "CHG_IP_TITLE"));
  SetDlgItemText(IDC_CHGIP_HELP, LoadLangText(kZone, "CHG_IP_HELP"));
  adapterGuid_ = SettingLine(L"PrivateAdaptGuidName.txt");
  // Dual-LAN leaves that file without a GUID line: its private address is the physical adapter's.
  if (adapterGuid_.empty() && m_physicalMode) adapterGuid_ = SettingLine(L"DrvInstPhyNic.txt");
  SetDlgItemText(IDC_CHGIP_OLD, Octets(m_oldIp, 4));
  ::SendMessageW(GetDlgItemHandle(IDC_CHGIP_HOST), EM_SETLIMITTEXT, kHostUnits, 0);
  OnBnClickedResetToDefault();
  return TRUE;
}

void CChgIp::OnBnClickedResetToDefault() {
  SetDlgItemText(IDC_CHGIP_PREFIX, Octets(m_oldIp, 3));
  SetDlgItemText(IDC_CHGIP_HOST, std::to_wstring(m_oldIp[3]));
}

void CChgIp::Refuse(const char* textKey) {
  CMsgOkDlg message(this);
  message.m_caption = LoadLangText(kZone, "CHG_IP_TITLE");
  message.m_text = LoadLangText(kZone, textKey);
  message.DoModal();
}

void CChgIp::OnOK() {
  uint8_t host = 0;
  if (!ParsePrivateHost(GetDlgItemText(IDC_CHGIP_HOST), &host)) {
    Refuse("TXT_HOST_RANGE");
    return;
  }
  CShowMsgDlg* box = OpenStatusBox(this, LoadLangText(kZone, "CHG_IP_TITLE"), LoadLangText(kZone, "CHG_IP_TITLE"));
  const std::wstring address = Octets(m_oldIp, 3) + L"." + std::to_wstring(host);
  const bool set = !adapterGuid_.empty() && SetStaticIp(xp_, adapterGuid_, address, L"255.255.255.0") &&
                   AdapterHasIpv4(adapterGuid_, address, kAddressArrivalMs);
  CloseStatusBox(box);
  if (!set) {
    Refuse("TXT_IP_NOT_CHANGED");
    EndDialog(-1);
    return;
  }
  WriteSettingsFile(SettingsFilePath(ProgramFolder(), L"PrivateIp.txt"), {address});
  EndDialog(0);
}
