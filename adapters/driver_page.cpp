#include "adapters/driver_page.h"

#include <vector>

#include "adapters/adv_cfg.h"
#include "adapters/inst_drv.h"
#include "adapters/net_devices.h"
#include "adapters/program_folder.h"
#include "adapters/rmv_drv.h"
#include "adapters/status_box.h"
#include "adapters/upper_bindings.h"
#include "common/os_version.h"
#include "common/settings_file.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "shell/msg_ok_dlg.h"

namespace {
constexpr int kZone = 0;
constexpr int kMaxBoundEntries = 5;
constexpr DWORD kRestartNoticeMs = 3000;

const wchar_t* Text(const char* key) { return LoadLangText(kZone, key); }
}  // namespace

CDriverPage::CDriverPage() : CDialog(IDD_DRIVER_PAGE) {
  MapTabPageCommands(*this);
  MapClicked(IDC_DRV_INSTALL, [this] { OnBnClickedInstall(); });
  MapClicked(IDC_DRV_REMOVE, [this] { OnBnClickedRemove(); });
  MapClicked(IDC_DRV_ADVANCED, [this] { OnBnClickedAdvancedConfig(); });
}

BOOL CDriverPage::PreTranslateMessage(MSG* msg) {
  SwallowEnterAndEscape(msg);
  return CDialog::PreTranslateMessage(msg);
}

BOOL CDriverPage::OnInitDialog() {
  CDialog::OnInitDialog();
  const int os = GetOsTypeCode();
  xp_ = os == kOsTypeWindowsXp;
  vista_ = os == 7 || os == 8;
  list_.SubclassDlgItem(IDC_DRV_VIRTUAL_LIST, this);
  RECT client;
  list_.GetClientRect(&client);
  const int width = (client.right - 20) / 15;
  list_.InsertColumn(0, L"#", LVCFMT_LEFT, width);
  list_.InsertColumn(1, Text("TXT_NAME"), LVCFMT_LEFT, 14 * width);
  list_.SetExtendedStyle(list_.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  if (m_wan.Any()) {
    ShowWithoutVirtualAdapters();
  } else {
    ShowBoundAdapters();
  }
  return TRUE;
}

void CDriverPage::ShowWithoutVirtualAdapters() {
  state_ = DriverPageState::kWithoutVirtualAdapters;
  std::vector<std::wstring> lines;
  ReadSettingLines(SettingsFilePath(ProgramFolder(), L"DrvInstPhyNic.txt"), lines);
  SetDlgItemText(IDC_DRV_PHYSICAL_NAME, lines.size() >= 2 ? lines[1] : L"");
  ::EnableWindow(GetDlgItemHandle(IDC_DRV_INSTALL), FALSE);
  SetDlgItemText(IDC_DRV_STATUS, Text("TXT_DRV_INSTALLED"));
  int row = list_.InsertItem(0, L" ");
  list_.SetItemText(row, 1, Text(ModeTextKey(m_wan)));
  ::EnableWindow(GetDlgItemHandle(IDC_DRV_ADVANCED), m_wan.physical);
  ::ShowWindow(GetDlgItemHandle(IDC_DRV_ADVANCED), SW_SHOW);
}

void CDriverPage::ShowBoundAdapters() {
  wchar_t physicalGuid[64] = {};
  wchar_t entries[kMaxBoundEntries][64] = {};
  int count = 0;
  if (!ReadUpperBindings(physicalGuid, entries, &count)) count = 0;
  state_ = DecideDriverPageState(m_wan, physicalGuid, count);
  if (state_ == DriverPageState::kNotInstalled) {
    list_.EnableWindow(false);
    SetDlgItemText(IDC_DRV_PHYSICAL_NAME, Text("TXT_DRV_NOT_INSTALLED"));
    SetDlgItemText(IDC_DRV_STATUS, Text("TXT_CLICK_BTN_TO_INST_DRV_FIRST"));
    return;
  }
  ::EnableWindow(GetDlgItemHandle(IDC_DRV_INSTALL), FALSE);
  SetDlgItemText(IDC_DRV_STATUS, Text("TXT_DRV_INSTALLED"));
  AdapterRecord physical[kMaxPhysicalAdapters];
  const int physicalCount = EnumPhysicalAdapters(physical, xp_, vista_, false);
  if (xp_) {
    bool duplicated = false;
    for (int i = 0; i < physicalCount; ++i) {
      for (int j = 0; j < physicalCount; ++j) {
        if (i != j && std::wstring(physical[i].description) == physical[j].description &&
            (std::wstring(physical[i].guid) == physicalGuid || std::wstring(physical[j].guid) == physicalGuid))
          duplicated = true;
      }
    }
    if (duplicated) {
      CMsgOkDlg message(this);
      message.m_caption = Text("TXT_DUP_NETWORK_NAME");
      message.m_text = Text("TXT_DUP_NETWORK_NAME_MSG");
      message.DoModal();
    }
  }
  for (int i = 0; i < physicalCount; ++i) {
    if (std::wstring(physical[i].guid) == physicalGuid) {
      SetDlgItemText(IDC_DRV_PHYSICAL_NAME, physical[i].description);
      break;
    }
  }
  VirtualAdapterRecord virtuals[kMaxVirtualAdapters];
  const int virtualCount = EnumVirtualAdapters(virtuals);
  std::vector<BoundAdapter> adapters;
  for (int i = 0; i < virtualCount; ++i) adapters.push_back({virtuals[i].guid, virtuals[i].description});
  std::vector<std::wstring> bound(entries, entries + count);
  std::vector<DriverPageRow> rows = VirtualAdapterRows(bound, adapters);
  for (size_t i = 0; i < rows.size(); ++i) {
    int row = list_.InsertItem(static_cast<int>(i), rows[i].number.c_str());
    list_.SetItemText(row, 1, rows[i].name.c_str());
  }
  ::ShowWindow(GetDlgItemHandle(IDC_DRV_ADVANCED), SW_SHOW);
}

void CDriverPage::ShowRestartNotice(const char* line1Key) {
  ShowTimedNotice(nullptr, Text("TXT_RESTARTING"), Text(line1Key), Text("TXT_RESTARTING_QVX_MSG"), kRestartNoticeMs);
  restartRequested_ = true;
}

void CDriverPage::OnBnClickedInstall() {
  CInstDrv wizard(this);
  wizard.DoModal();
  if (wizard.m_success) ShowRestartNotice("TXT_INST_COMPLETED");
}

void CDriverPage::OnBnClickedRemove() {
  CRmvDrv removal(this);
  removal.m_physicalGuid = m_physicalGuid;
  removal.m_mainWindow = m_mainWindow;
  removal.DoModal();
  if (removal.m_removed) ShowRestartNotice("TXT_RMV_COMPLETED");
}

void CDriverPage::OnBnClickedAdvancedConfig() {
  CAdvCfg advanced(this);
  for (int i = 0; i < 4; ++i) advanced.m_privateIp[i] = m_privateIp[i];
  advanced.m_physicalMode = m_wan.physical;
  advanced.m_routerDhcpMode = m_wan.routerDhcp;
  advanced.DoModal();
  restartRequested_ = advanced.m_restartRequested;
}
