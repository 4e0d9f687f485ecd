#include "adapters/chg_mac.h"

#include <cstdio>

#include "adapters/address_dialog_rules.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"

namespace {
constexpr int kZone = 3;
constexpr UINT kOctetUnits = 5;
constexpr UINT kOctetEdits[4] = {IDC_CHGMAC_OCTET2, IDC_CHGMAC_OCTET3, IDC_CHGMAC_OCTET4, IDC_CHGMAC_OCTET5};

std::wstring Hex(uint8_t byte) {
  wchar_t text[4];
  std::swprintf(text, 4, L"%02X", byte);
  return text;
}
}  // namespace

CChgMac::CChgMac(CWnd* parent) : CDialog(IDD_CHG_MAC, parent) {
  MapOpenDialogRegistration(*this);
  MapClicked(IDC_CHGMAC_RESET, [this] { OnBnClickedResetToDefault(); });
  MapClicked(IDC_CHGMAC_CANCEL, [this] { EndDialog(-1); });
}

BOOL CChgMac::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(LoadLangText(kZone, "CHG_MAC_TITLE"));
  SetDlgItemText(IDC_CHGMAC_HELP, LoadLangText(kZone, "CHG_MAC_HELP"));
  wchar_t old[24];
  std::swprintf(old, 24, L"%02X-%02X-%02X-%02X-%02X-%02X", m_oldMac[0], m_oldMac[1], m_oldMac[2], m_oldMac[3],
                m_oldMac[4], m_oldMac[5]);
  SetDlgItemText(IDC_CHGMAC_OLD, old);
  for (UINT id : kOctetEdits) ::SendMessageW(GetDlgItemHandle(id), EM_SETLIMITTEXT, kOctetUnits, 0);
  OnBnClickedResetToDefault();
  return TRUE;
}

void CChgMac::OnBnClickedResetToDefault() {
  for (int i = 0; i < 4; ++i) SetDlgItemText(kOctetEdits[i], Hex(m_oldMac[i + 1]));
}

void CChgMac::OnOK() {
  for (int i = 0; i < 4; ++i) m_newOctets[i] = HexOctetFromEdit(GetDlgItemText(kOctetEdits[i]));
  EndDialog(0);
}
