#include "adapters/adv_cfg.h"

#include <string>
#include <vector>

#include "adapters/adapter_network_address.h"
#include "adapters/address_dialog_rules.h"
#include "adapters/chg_ip.h"
#include "adapters/chg_mac.h"
#include "adapters/program_folder.h"
#include "adapters/status_box.h"
#include "common/settings_file.h"
#include "controls/bold_font.h"
#include "framework/message_pump.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"

namespace {
constexpr int kZone = 3;
constexpr size_t kOtherAdapterLines = 4;  // lines 2 to 5 of "OtherAdaptGuidName.txt"

std::wstring FilePath(const wchar_t* name) { return SettingsFilePath(ProgramFolder(), name); }

// The private adapter first, then the other virtual adapters up to the first empty line.
std::vector<std::wstring> VirtualAdapterGuids() {
  std::vector<std::wstring> guids;
  std::wstring privateGuid;
  ReadSettingValue(FilePath(L"PrivateAdaptGuidName.txt"), privateGuid);
  privateGuid = TrimWhiteSpace(privateGuid).substr(0, 63);
  if (privateGuid.empty()) return guids;
  guids.push_back(privateGuid);
  std::vector<std::wstring> lines;
  ReadSettingLines(FilePath(L"OtherAdaptGuidName.txt"), lines);
  for (size_t i = 0; i < lines.size() && i < kOtherAdapterLines; ++i) {
    std::wstring guid = TrimWhiteSpace(lines[i]).substr(0, 63);
    if (guid.empty()) break;
    guids.push_back(guid);
  }
  return guids;
}
}  // namespace

bool ReadVirtualMacOctets(uint8_t octets[4]) {
  std::wstring line;
  ReadSettingValue(FilePath(L"VirtualMacAddr.txt"), line);
  return OctetsFromVirtualMacLine(TrimWhiteSpace(line), octets);
}

CAdvCfg::CAdvCfg(CWnd* parent) : CDialog(IDD_ADV_CFG, parent) {
  MapOpenDialogRegistration(*this);
  MapClicked(IDC_ADV_RESOLVE_IP, [this] { OnBnClickedResolveIpConflict(); });
  MapClicked(IDC_ADV_RESOLVE_MAC, [this] { OnBnClickedResolveMacConflict(); });
}

BOOL CAdvCfg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(LoadLangText(kZone, "ADV_PAGE_TITLE"));
  SetBoldFont(GetDlgItemHandle(IDC_ADV_NOTICE));
  SetDlgItemText(IDC_ADV_NOTICE, LoadLangText(kZone, "ADV_PAGE_SETTING_NOTICE"));
  SetDlgItemText(IDC_ADV_TEXT, LoadLangText(kZone, "ADV_PAGE_RESOLVE_IP_MAC_CONFLICT"));
  if (m_physicalMode) {
    ::EnableWindow(GetDlgItemHandle(IDC_ADV_RESOLVE_MAC), FALSE);
  } else if (m_routerDhcpMode) {
    ::EnableWindow(GetDlgItemHandle(IDC_ADV_RESOLVE_IP), FALSE);
    ::EnableWindow(GetDlgItemHandle(IDC_ADV_RESOLVE_MAC), FALSE);
  }
  return TRUE;
}

BOOL CAdvCfg::PreTranslateMessage(MSG* msg) {
  SwallowEnterAndEscape(msg);
  return CDialog::PreTranslateMessage(msg);
}

void CAdvCfg::OnBnClickedResolveIpConflict() {
  CChgIp change(this);
  for (int i = 0; i < 4; ++i) change.m_oldIp[i] = m_privateIp[i];
  change.m_physicalMode = m_physicalMode;
  if (change.DoModal() != 0) return;
  ShowTimedNotice(this, LoadLangText(kZone, "TXT_RESTARTING"), LoadLangText(kZone, "TXT_RESTARTING_QVX_MSG"), L"",
                  3000);
  m_restartRequested = true;
  EndDialog(0);
}

void CAdvCfg::OnBnClickedResolveMacConflict() {
  CChgMac change(this);
  change.m_oldMac[0] = 0x02;
  uint8_t octets[4] = {};
  // Without a line of four parts the dialog shows 02-00-00-00-00-00.
  ReadVirtualMacOctets(octets);
  for (int i = 0; i < 4; ++i) change.m_oldMac[i + 1] = octets[i];
  if (change.DoModal() != 0) return;
  CShowMsgDlg* box = OpenStatusBox(this, LoadLangText(kZone, "CHG_MAC_TITLE"), LoadLangText(kZone, "TXT_MAC_ADDR_CHANGED"),
                                   LoadLangText(kZone, "TXT_NEED_REBOOT"));
  WriteSettingsFile(FilePath(L"VirtualMacAddr.txt"), {VirtualMacLine(change.m_newOctets)});
  std::vector<std::wstring> guids = VirtualAdapterGuids();
  for (size_t k = 0; k < guids.size(); ++k) {
    SetAdapterNetworkAddress(guids[k], static_cast<int>(k + 1), change.m_newOctets);
  }
  PumpMessagesFor(2000);
  CloseStatusBox(box);
}
