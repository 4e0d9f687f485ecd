#include "peers/computer_list_dlg.h"

#include <cstdio>

#include "framework/message_pump.h"
#include "peers/computer_list_file.h"
#include "peers/my_net_page.h"
#include "peers/scan_response_setting.h"
#include "peers/srv_help_dlg.h"
#include "resources/program_images.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "shell/msg_yes_no.h"
#include "shell/show_msg_dlg.h"

namespace {
constexpr int32_t kZone = 8;
constexpr UINT kHelpIcon = 162;
constexpr DWORD kSavePauseMs = 2000;

const wchar_t* Text(const char* key) { return LoadLangText(kZone, key); }
}  // namespace

CMgmtComp::CMgmtComp(CWnd* parent) : CDialog(IDD_MGMT_COMP, parent), list_(std::make_unique<ComputerList>()) {
  for (std::wstring& text : linkText_) text = L"No";
  MapOpenDialogRegistration(*this);
  MapClicked(IDC_MGMT_COMP_SAVE, [this] { OnBnClickedSave(); });
  MapClicked(IDC_MGMT_COMP_CANCEL, [this] { EndDialog(-1); });
  MapClicked(IDC_MGMT_COMP_DELETE_ALL, [this] { OnBnClickedDeleteAll(); });
  MapClicked(IDC_MGMT_COMP_DELETE, [this] { OnBnClickedDeleteSelected(); });
  MapClicked(IDC_MGMT_COMP_HELP, [this] { OnBnClickedHelp(); });
  MapNotify(IDC_MGMT_COMP_LIST, NM_CLICK, [this](NMHDR* header, LRESULT*) { OnListClick(header); });
  MapNotify(IDC_MGMT_COMP_LIST, LVN_COLUMNCLICK, [this](NMHDR* header, LRESULT*) { OnColumnClick(header); });
}

CMgmtComp::~CMgmtComp() { rowKeys_.Clear(); }

void CMgmtComp::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_MGMT_COMP_LIST, listControl_);
  DDX_Control(dx, IDC_MGMT_COMP_DELETE, deleteSelected_);
  DDX_Control(dx, IDC_MGMT_COMP_DELETE_ALL, deleteAll_);
  DDX_Control(dx, IDC_MGMT_COMP_HELP, help_);
}

BOOL CMgmtComp::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(L"Manage remote computer list");
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  ::GetComputerNameW(name, &size);
  SetDlgItemText(IDC_MGMT_COMP_NAME, name);
  wchar_t address[20];
  std::swprintf(address, 20, L"%d.%d.%d.%d", address_[0], address_[1], address_[2], address_[3]);
  SetDlgItemText(IDC_MGMT_COMP_ADDRESS, address);

  help_.SetIcon(kHelpIcon);
  deleteAll_.LoadStdImage(IDP_DELETE_ALL);
  deleteAll_.SetTooltipText(Text("DEL_ALL_RMT_COMP"));
  deleteSelected_.LoadStdImage(IDP_DELETE_SELECTED);
  deleteSelected_.SetTooltipText(Text("DEL_THIS_RMT_COMP"));
  deleteSelected_.disabled = true;

  scanResponse_ = ReadScanResponseSetting(folder_) == ScanResponseSetting::kEnabled;
  ::CheckDlgButton(m_hWnd, IDC_MGMT_COMP_SCAN_RESP, scanResponse_ ? BST_CHECKED : BST_UNCHECKED);

  CRect client;
  listControl_.GetClientRect(&client);
  const int unit = (client.Width() - 20) / 15;
  const struct { const char* key; int units; } columns[] = {
      {"COL_COMP_NAME", 4}, {"COL_IP_ADDR", 3}, {"COL_CPU", 3}, {"COL_OS", 3}, {"COL_LINK", 2}};
  for (int i = 0; i < 5; ++i) listControl_.InsertColumn(i, Text(columns[i].key), LVCFMT_LEFT, columns[i].units * unit);
  listControl_.SetExtendedStyle(listControl_.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  FillList();
  listControl_.ColorSortColumn(true);
  listControl_.InitSortArrows();
  sortKey_ = 1;
  return TRUE;
}

void CMgmtComp::FillList() {
  listControl_.DeleteAllItems();
  rowKeys_.Clear();
  for (int host = 0; host < ComputerList::kHosts; ++host) {
    if (!list_->present[host]) continue;
    std::vector<std::wstring> cells = {list_->name[host], PrivateIpText(list_->subnet, host), list_->cpu[host],
                                       OsNameText(list_->os[host]), linkText_[host]};
    const int row = listControl_.InsertItem(listControl_.GetItemCount(), cells[0].c_str());
    for (int column = 1; column < 5; ++column) listControl_.SetItemText(row, column, cells[column].c_str());
    listControl_.SetItemData(row, reinterpret_cast<DWORD_PTR>(rowKeys_.Add(std::move(cells))));
  }
}

void CMgmtComp::OnListClick(NMHDR* header) {
  const int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
  if (row >= 0) {
    std::wstring ip = listControl_.GetItemText(row, 1);
    if (ip.size() > 15) ip.resize(15);
    const int host = HostOfIpText(ip, -1);
    selectedHost_ = host >= 0 && host < ComputerList::kHosts ? host : -1;
    deleteSelected_.disabled = false;
  } else {
    selectedHost_ = -1;
    deleteSelected_.disabled = true;
  }
  deleteSelected_.Invalidate();
}

void CMgmtComp::OnColumnClick(NMHDR* header) {
  sortKey_ = NextSortKey(sortKey_, reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
  listControl_.SortItems(CompareRows, static_cast<DWORD_PTR>(static_cast<LPARAM>(sortKey_)));
}

int CALLBACK CMgmtComp::CompareRows(LPARAM first, LPARAM second, LPARAM sortKey) {
  if (!first || !second) return 0;
  return CompareRowKeys(*reinterpret_cast<const RowKey*>(first), *reinterpret_cast<const RowKey*>(second),
                        static_cast<int32_t>(sortKey));
}

void CMgmtComp::OnBnClickedDeleteSelected() {
  if (selectedHost_ < 0) return;
  list_->present[selectedHost_] = 0;
  FillList();
}

void CMgmtComp::OnBnClickedDeleteAll() {
  const uint8_t subnet = list_->subnet;
  list_->ClearHosts();
  list_->subnet = subnet;
  FillList();
}

void CMgmtComp::OnBnClickedHelp() {
  RunSrvHelp(this, Text("TXT_SCAN_RESP"), Text("HELP_SCAN_RESP"), false, kSettingNone);
}

void CMgmtComp::OnBnClickedSave() {
  CMsgYesNo question(this);
  question.m_caption = Text("SAVE");
  question.m_text = Text("TO_SAVE_COMP_LIST_AND_SETTING");
  if (question.DoModal() != 0) return;
  auto* box = new CShowMsgDlg(this);
  if (box->CreateOnDesktop()) {
    box->SetTitleAndClear(Text("SAVE"));
    box->SetLine1(Text("SAVE_COMP_LIST_AND_SETTING"));
    box->ShowWindow(SW_SHOW);
  }
  SaveComputerList(folder_, *list_);
  PumpMessagesFor(kSavePauseMs);
  box->DestroyWindow();
  delete box;
  scanResponse_ = ::IsDlgButtonChecked(m_hWnd, IDC_MGMT_COMP_SCAN_RESP) == BST_CHECKED;
  if (!IsEnding()) EndDialog(0);
}
