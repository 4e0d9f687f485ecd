#include "monitor/config_page.h"

#include <shellapi.h>

#include <cstdio>

#include "adapters/adapter_enum.h"
#include "adapters/chg_static_ip.h"
#include "adapters/miniport_values.h"
#include "adapters/program_folder.h"
#include "adapters/status_box.h"
#include "common/os_version.h"
#include "common/settings_file.h"
#include "common/text_helpers.h"
#include "monitor/default_routes.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/help_msg.h"
#include "shell/lang_text.h"
#include "shell/web_address.h"

namespace {

constexpr int kZone = 7;
constexpr size_t kMiniportDescriptionLength = 30;
constexpr size_t kRowTextLength = 15;

const wchar_t* Text(const char* key) { return LoadLangText(kZone, key); }

std::wstring ReadTrimmedValue(const wchar_t* name) {
  std::wstring value;
  ReadSettingValue(SettingsFilePath(ProgramFolder(), name), value);
  return TrimWhiteSpace(value);
}

}  // namespace

CConfig::CConfig() : CDialog(IDD_ROUTING_PAGE) {
  MapTabPageCommands(*this);
  MapNotify(IDC_RT_ADAPTER_LIST, NM_DBLCLK, [this](NMHDR* header, LRESULT* result) {
    OnNMDblclkAdapterList(header);
    *result = 0;
  });
  MapClicked(IDC_RT_SHOW_IP, [this] { OnBnClickedShowIp(); });
  MapClicked(IDC_RT_SHOW_ALL, [this] { OnBnClickedShowAllAdapters(); });
  MapClicked(IDC_RT_NEXT_GATEWAY, [this] { OnBnClickedNextGateway(); });
  MapClicked(IDC_RT_HELP, [this] { OnBnClickedLoadBalancingHelp(); });
  MapClicked(IDC_RT_NETWORK_CONFIG, [this] { OnBnClickedNetworkConfig(); });
  MapClicked(IDC_RT_EDIT_STATIC_IP, [this] { OnBnClickedEditStaticIp(); });
  MapMessage(WM_DESTROY, [this](WPARAM, LPARAM) {
    LRESULT result = Default();
    if (timer_) ::KillTimer(m_hWnd, timer_);
    timer_ = 0;
    return result;
  });
}

BOOL CConfig::PreTranslateMessage(MSG* msg) {
  SwallowEnterAndEscape(msg);
  return CDialog::PreTranslateMessage(msg);
}

BOOL CConfig::OnInitDialog() {
  CDialog::OnInitDialog();
  helpButton_.SubclassDlgItem(IDC_RT_HELP, this);
  helpButton_.SetIcon(IDI_WEB_LINK);

  list_.SubclassDlgItem(IDC_RT_ADAPTER_LIST, this);
  list_.SetExtendedStyle(list_.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
  RECT client;
  list_.GetClientRect(&client);
  const int w = (client.right - 20) / 20;
  list_.InsertColumn(0, L"", LVCFMT_LEFT, w);
  list_.InsertColumn(1, L"#", LVCFMT_LEFT, w);
  list_.InsertColumn(2, Text("COL_IP_ADDR"), LVCFMT_LEFT, 5 * w);
  list_.InsertColumn(3, Text("COL_GATEWAY"), LVCFMT_LEFT, 5 * w);
  list_.InsertColumn(4, Text("COL_ADAPT_NAME"), LVCFMT_LEFT, 8 * w);

  const std::wstring wanType = ReadTrimmedValue(L"DrvInstWanType.txt");
  staticShared_ = wanType == L"STATIC_DHCP_SHARED";
  staticOnly_ = wanType == L"STATIC_ONLY";
  const std::wstring macText = ReadTrimmedValue(L"PppoeAdaptMacAddr.txt");
  if (!macText.empty()) {
    int parts = 0;
    SplitString(macText, L'-', &parts);
    if (parts == 6) {
      PppoeMacFromText(pppoeMac_, macText);
      hasPppoeMac_ = true;
    }
  }
  if (staticShared_ || staticOnly_) ::ShowWindow(GetDlgItemHandle(IDC_RT_EDIT_STATIC_IP), SW_SHOW);

  rowCount_ = 0;
  FillAdapterList(false, true);
  nextGateway_ = 0;
  ApplyRow(0);
  timer_ = ::SetTimer(m_hWnd, kRefreshTimerId, kRefreshMs, nullptr);
  return TRUE;
}

bool CConfig::ShowAllTicked() const {
  return ::SendDlgItemMessageW(m_hWnd, IDC_RT_SHOW_ALL, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CConfig::FillAdapterList(bool showAll, bool insert) {
  std::vector<IpAdapterRecord> records;
  std::vector<RouteAdapter> adapters;
  if (!ReadRouteAdapters(showAll, pppoeMac_, hasPppoeMac_, &records, &adapters)) return;
  records_ = records;
  routeAdapters_ = adapters;
  wchar_t privateText[16];
  std::swprintf(privateText, 16, L"%d.%d.%d.%d", m_privateIp[0], m_privateIp[1], m_privateIp[2], m_privateIp[3]);
  list_.SendMessage(WM_SETREDRAW, FALSE);
  int row = 0;
  int number = 0;
  for (size_t i = 0; i < records_.size(); ++i) {
    const IpAdapterRecord& record = records_[i];
    wchar_t second[16] = L"";
    if (showAll) {
      row = static_cast<int>(i);
      if (std::wstring(record.description).compare(0, kMiniportDescriptionLength, kMiniportDescription, 0,
                                                   kMiniportDescriptionLength) == 0) {
        std::swprintf(second, 16, L"%d", ++number);
      }
    } else {
      if (std::wstring(record.ipv4) == privateText || record.isPseudo) continue;
      std::swprintf(second, 16, L"%d", static_cast<int>(i + 1));
    }
    const wchar_t* mark = record.defaultRoute ? L"*" : L"";
    if (insert) {
      const int item = list_.InsertItem(row, mark);
      list_.SetItemData(item, i);
      if (!showAll) ++rowCount_;
    } else if (row >= list_.GetItemCount()) {
      ++row;
      continue;
    } else {
      list_.SetItemText(row, 0, mark);
    }
    list_.SetItemText(row, 1, second);
    list_.SetItemText(row, 2, record.ipv4);
    list_.SetItemText(row, 3, record.gateway);
    list_.SetItemText(row, 4, record.description);
    ++row;
  }
  list_.SendMessage(WM_SETREDRAW, TRUE);
  list_.Invalidate(true);
}

void CConfig::ApplyRow(int row) {
  if (row < 0 || row >= list_.GetItemCount()) return;
  const std::wstring ip = list_.GetItemText(row, 2).substr(0, kRowTextLength);
  const std::wstring gateway = list_.GetItemText(row, 3).substr(0, kRowTextLength);
  SetDefaultRoutes(routeAdapters_, m_privateIp, NarrowText(ip.c_str()), NarrowText(gateway.c_str()));
}

void CConfig::ShowRouteChangeNotice() {
  ShowTimedNotice(nullptr, Text("TXT_CHG_DEF_ROUTING"), Text("TXT_CHG_DEF_ROUTING"), L"", m_noticeMs);
}

void CConfig::ApplyRowAndNotify(int row, bool moveNextGateway) {
  if (moveNextGateway) nextGateway_ = row;
  ApplyRow(row);
  HWND main = ::GetAncestor(m_hWnd, GA_ROOT);
  if (main) ::EnableWindow(main, FALSE);
  ShowRouteChangeNotice();
  if (main) ::EnableWindow(main, TRUE);
}

void CConfig::OnNMDblclkAdapterList(NMHDR* header) {
  const int item = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
  if (item == -1) return;
  ApplyRowAndNotify(item, !ShowAllTicked());
}

void CConfig::OnBnClickedNextGateway() {
  if (rowCount_ > 0) {
    nextGateway_ = (nextGateway_ + 1) % rowCount_;
  } else {
    nextGateway_ = 0;
  }
  ApplyRowAndNotify(nextGateway_, false);
}

void CConfig::OnBnClickedShowAllAdapters() {
  list_.DeleteAllItemData();
  list_.DeleteAllItems();
  if (ShowAllTicked()) {
    ::EnableWindow(GetDlgItemHandle(IDC_RT_NEXT_GATEWAY), FALSE);
    FillAdapterList(true, true);
  } else {
    ::EnableWindow(GetDlgItemHandle(IDC_RT_NEXT_GATEWAY), TRUE);
    rowCount_ = 0;
    FillAdapterList(false, true);
  }
}

void CConfig::OnTimer(UINT_PTR id) {
  if (id == kRefreshTimerId) FillAdapterList(ShowAllTicked(), false);
  Default();
}

void CConfig::OnBnClickedShowIp() {
  std::wstring path = L"test_ip.php?num_adapt=" + std::to_wstring(records_.size());
  for (size_t n = 1; n <= records_.size(); ++n) {
    path += L"&adapt_ip" + std::to_wstring(n) + L"=" + records_[n - 1].ipv4;
  }
  path += L"&lang=cht";
  const WebOpenCommand command = WebOpenCommandFor(MakerWebAddress(path.c_str()), GetOsTypeCode());
  ::ShellExecuteW(nullptr, L"open", command.file.c_str(),
                  command.parameters.empty() ? nullptr : command.parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

void CConfig::OnBnClickedLoadBalancingHelp() {
  CHelpMsg help(this);
  help.m_caption = Text("TITLE_LB");
  help.m_heading = Text("TXT_LB");
  help.m_body = Text("HELP_LB");
  help.DoModal();
}

void CConfig::OnBnClickedNetworkConfig() {
  ::ShellExecuteW(nullptr, L"open", L"control.exe", L"ncpa.cpl", nullptr, SW_SHOWNORMAL);
}

void CConfig::OnBnClickedEditStaticIp() {
  CChgStaticIp editor(this);
  editor.m_staticOnly = staticOnly_;
  for (int i = 0; i < 4; ++i) editor.m_privateIp[i] = m_privateIp[i];
  std::wstring guid = ReadTrimmedValue(L"CloneAdaptGuidName.txt");
  editor.m_cloneGuid = guid.substr(0, 64);
  editor.DoModal();
}
