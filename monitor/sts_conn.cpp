#include "monitor/sts_conn.h"

#include <winsock2.h>

#include <cstdio>

#include "adapters/adapter_enum.h"
#include "monitor/connection_tables.h"
#include "monitor/dns_ptr.h"
#include "monitor/reverse_lookup.h"
#include "monitor/wide_text.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/show_msg_dlg.h"

namespace {

constexpr int kNarrowShift = 120;

std::string DefaultProcessName(uint32_t pid) { return GetProcessName(pid); }

int CALLBACK CompareAppKeys(LPARAM a, LPARAM b, LPARAM code) {
  return CompareAppRows(*reinterpret_cast<const RowFields*>(a), *reinterpret_cast<const RowFields*>(b),
                        static_cast<int>(code));
}

int CALLBACK CompareConnectionKeys(LPARAM a, LPARAM b, LPARAM code) {
  return CompareConnectionRows(*reinterpret_cast<const RowFields*>(a), *reinterpret_cast<const RowFields*>(b),
                               static_cast<int>(code));
}

void FillCombo(HWND combo, std::initializer_list<const wchar_t*> entries, int selected) {
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const wchar_t* entry : entries) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int ComboSelection(HWND combo) { return static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

bool LeftButtonDown() { return (::GetKeyState(VK_LBUTTON) & 0x8000) != 0; }

void MoveList(CListCtrlEx& list, int x, int y, int width, int height) {
  list.SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CStsConn::CStsConn(CWnd* parent) : CDialog(IDD_STS_CONN, parent), lookupBuffer_(kDnsBufferSize) {
  MapMessage(WM_CREATE, [this](WPARAM, LPARAM) { return OnCreateRegisterDialog(*this); });
  MapMessage(WM_DESTROY, [this](WPARAM, LPARAM) {
    open_ = false;
    return OnDestroyUnregisterDialog(*this);
  });
  MapNotify(IDC_CONN_APP_LIST, LVN_ITEMCHANGED, [this](NMHDR* header, LRESULT*) { OnItemChangedAppList(header); });
  MapNotify(IDC_CONN_APP_LIST, LVN_COLUMNCLICK, [this](NMHDR* header, LRESULT*) { OnColumnClickAppList(header); });
  MapNotify(IDC_CONN_LIST, LVN_COLUMNCLICK,
            [this](NMHDR* header, LRESULT*) { OnColumnClickConnectionList(header); });
  MapCommand(IDC_CONN_ADAPTER, CBN_SELCHANGE, [this] { OnSelChangeAdapter(); });
  MapCommand(IDC_CONN_PROTOCOL, CBN_SELCHANGE, [this] { OnSelChangeProtocol(); });
  MapCommand(IDC_CONN_PERIOD, CBN_SELCHANGE, [this] { OnSelChangeUpdatePeriod(); });
  MapCommand(IDC_CONN_UNIT, CBN_SELCHANGE, [this] { OnSelChangeUnit(); });
  MapClicked(IDC_CONN_HOSTNAME, [this] { OnBnClickedShowHostName(); });
  MapClicked(IDC_CONN_ADJUST_WIDTH, [this] { OnBnClickedAdjustWidth(); });
  MapClicked(IDC_CONN_LOG, [this] { OnBnClickedLog(); });
  processName = DefaultProcessName;
}

CStsConn::~CStsConn() {
  if (appList_) FreeRowKeys(*appList_);
  if (connectionList_) FreeRowKeys(*connectionList_);
}

void CStsConn::SetPrivateIp(const uint8_t octets[4]) {
  for (int i = 0; i < 4; ++i) privateIp_[i] = octets[i];
}

BOOL CStsConn::PreTranslateMessage(MSG* msg) {
  SwallowEnterAndEscape(msg);
  return CDialog::PreTranslateMessage(msg);
}

BOOL CStsConn::OnInitDialog() {
  CDialog::OnInitDialog();
  logs_.SetParentWindow(this);
  FillCombo(GetDlgItemHandle(IDC_CONN_PERIOD), {L"Paused", L"High", L"Mid", L"Low"}, kPeriodHigh);
  SetDlgItemText(IDC_CONN_ADJUST_WIDTH, L"Less");
  narrow_ = false;

  appList_ = std::make_unique<CListCtrlEx>();
  appList_->SubclassDlgItem(IDC_CONN_APP_LIST, this);
  appList_->GetWindowRect(&appListPlace_);
  ScreenToClient(&appListPlace_);
  RECT client;
  appList_->GetClientRect(&client);
  appListClient_ = {client.right, client.bottom};
  const int a = (client.right - 20) / 8;
  nameColumnWidth_ = 3 * a;
  appList_->InsertColumn(0, L"App Name", LVCFMT_LEFT, 3 * a);
  appList_->InsertColumn(1, L"Upload", LVCFMT_LEFT, 2 * a);
  appList_->InsertColumn(2, L"Download", LVCFMT_LEFT, 2 * a);
  appList_->InsertColumn(3, L"Connections", LVCFMT_LEFT, a);
  appList_->InsertColumn(4, L"PID", LVCFMT_LEFT, 0);
  appList_->SetExtendedStyle(appList_->GetExtendedStyle() | LVS_EX_FULLROWSELECT);

  connectionList_ = std::make_unique<CListCtrlEx>();
  connectionList_->SubclassDlgItem(IDC_CONN_LIST, this);
  connectionList_->GetWindowRect(&connectionListPlace_);
  ScreenToClient(&connectionListPlace_);
  connectionList_->GetClientRect(&client);
  connectionListClient_ = {client.right, client.bottom};
  const int d = (client.right - 20) / 7;
  connectionList_->InsertColumn(0, L"Protcol", LVCFMT_LEFT, d);
  connectionList_->InsertColumn(1, L"Src IP", LVCFMT_LEFT, 2 * d);
  connectionList_->InsertColumn(2, L"Dest IP", LVCFMT_LEFT, 2 * d);
  connectionList_->InsertColumn(3, L"Upload", LVCFMT_LEFT, d);
  connectionList_->InsertColumn(4, L"Download", LVCFMT_LEFT, d);
  connectionList_->SetExtendedStyle(connectionList_->GetExtendedStyle() | LVS_EX_FULLROWSELECT);

  ReadAdapters();
  HWND adapterCombo = GetDlgItemHandle(IDC_CONN_ADAPTER);
  FillCombo(adapterCombo, {L"All adapter"}, 0);
  for (size_t i = 0; i < connAdapters_.size(); ++i) {
    wchar_t entry[32];
    const char* tag = connAdapters_[i].isPrivate ? " (Private)" : connAdapters_[i].isPppoe ? " (PPPoE)" : "";
    std::swprintf(entry, 32, L"%d%hs", static_cast<int>(i + 1), tag);
    ::SendMessageW(adapterCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
  ::SendMessageW(adapterCombo, CB_SETCURSEL, 0, 0);
  adapterFilter_ = kAllFilter;
  FillCombo(GetDlgItemHandle(IDC_CONN_PROTOCOL), {L"All protocol", L"TCP/IPv4", L"UDP/IPv4", L"TCP/IPv6", L"UDP/IPv6"},
            0);
  protocolFilter_ = kAllFilter;
  ApplyFilter();
  FillCombo(GetDlgItemHandle(IDC_CONN_UNIT), {L"Bytes", L"K Bytes", L"M Bytes"}, 1);
  unit_ = 1;
  period_ = kPeriodHigh;
  hostNames_ = false;
  ::EnableWindow(GetDlgItemHandle(IDC_CONN_HOSTNAME), FALSE);
  selectedPid_ = -1;

  updating_ = true;
  RedrawAppList(true);
  RedrawConnectionList(true);
  updating_ = false;
  hostNames_ = false;
  appList_->InitSortArrows();
  connectionList_->InitSortArrows();
  appSortCode_ = appList_->SortKey();
  connectionSortCode_ = connectionList_->SortKey();
  open_ = true;
  return TRUE;
}

void CStsConn::ReadAdapters() {
  adapters_.assign(kMaxAdapterRecords, IpAdapterRecord{});
  uint32_t count = 0;
  if (!readAdapters(adapters_.data(), &count, kMiniportsOnly)) count = 0;
  adapters_.resize(count);
  char privateText[16];
  std::snprintf(privateText, sizeof privateText, "%d.%d.%d.%d", privateIp_[0], privateIp_[1], privateIp_[2],
                privateIp_[3]);
  connAdapters_.clear();
  for (const IpAdapterRecord& record : adapters_) {
    ConnAdapter adapter;
    for (const wchar_t* c = record.ipv4; *c; ++c) adapter.ipv4 += static_cast<char>(*c);
    for (const wchar_t* c = record.ipv6; *c; ++c) adapter.ipv6 += static_cast<char>(*c);
    adapter.isPrivate = adapter.ipv4 == privateText;
    adapter.isPppoe = record.isPseudo != 0;
    connAdapters_.push_back(adapter);
  }
}

void CStsConn::ApplyFilter() {
  ConnFilter filter;
  filter.adapter = adapterFilter_;
  filter.protocol = protocolFilter_;
  if (adapterFilter_ != kAllFilter && adapterFilter_ < static_cast<int>(connAdapters_.size())) {
    filter.adapterIpv4 = connAdapters_[static_cast<size_t>(adapterFilter_)].ipv4;
    filter.adapterIpv6 = connAdapters_[static_cast<size_t>(adapterFilter_)].ipv6;
  }
  table_.SetFilter(filter);
}

void CStsConn::RefreshConnectionTables() { ::RefreshConnectionTables(&table_); }

void CStsConn::RefreshLists(bool force) {
  if (!open_) return;
  updating_ = true;
  RedrawAppList(force);
  RedrawConnectionList(force);
  updating_ = false;
}

std::string CStsConn::LookUpHostName(const uint8_t wire[4]) {
  SOCKET s = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (s == INVALID_SOCKET) return {};
  char reversed[16];
  std::snprintf(reversed, sizeof reversed, "%d.%d.%d.%d", wire[3], wire[2], wire[1], wire[0]);
  std::string name;
  if (!DnsQueryPtrRecord(lookupBuffer_.data(), &name, reversed, s)) return {};
  return name;
}

void CStsConn::FreeRowKeys(CListCtrlEx& list) {
  if (!list.GetSafeHwnd()) return;
  for (int i = 0, n = list.GetItemCount(); i < n; ++i) {
    delete reinterpret_cast<RowFields*>(list.GetItemData(i));
    list.SetItemData(i, 0);
  }
}

void CStsConn::InsertRows(CListCtrlEx& list, const std::vector<RowFields>& rows) {
  int index = 0;
  for (const RowFields& row : rows) {
    if (row.empty()) continue;
    const int item = list.InsertItem(index++, WideText(row[0]).c_str());
    if (item < 0) continue;
    for (size_t column = 1; column < row.size(); ++column) {
      list.SetItemText(item, static_cast<int>(column), WideText(row[column]).c_str());
    }
    list.SetItemData(item, reinterpret_cast<DWORD_PTR>(new RowFields(row)));
  }
}

void CStsConn::FillAppList() {
  std::vector<RowFields> rows = BuildAppRows(table_, unit_, [this](uint32_t pid) { return processName(pid); });
  InsertRows(*appList_, rows);
  appList_->SortItems(CompareAppKeys, static_cast<DWORD_PTR>(static_cast<LPARAM>(appSortCode_)));
}

void CStsConn::FillConnectionList() {
  if (selectedPid_ == -1) return;
  std::vector<RowFields> rows = BuildConnectionRows(
      table_, static_cast<uint32_t>(selectedPid_), unit_, connAdapters_,
      [this](const uint8_t wire[4]) { return hostNames_ ? LookUpHostName(wire) : std::string(); });
  InsertRows(*connectionList_, rows);
  connectionList_->SortItems(CompareConnectionKeys, static_cast<DWORD_PTR>(static_cast<LPARAM>(connectionSortCode_)));
}

namespace {

// What a redraw keeps: the key text of the selected row and the top row.
struct ListPlace {
  std::wstring key;
  int top = 0;
};

ListPlace RememberPlace(CListCtrlEx& list, int keyColumn) {
  ListPlace place;
  place.top = list.GetTopIndex();
  const int selected = list.GetNextItem(-1, LVNI_SELECTED);
  if (selected >= 0) place.key = list.GetItemText(selected, keyColumn).substr(0, 80);
  return place;
}

void RestorePlace(CListCtrlEx& list, const ListPlace& place, int keyColumn, bool onlyUpward) {
  const int count = list.GetItemCount();
  if (count > 0) {
    const int wanted = place.top < count ? place.top : count - 1;
    if (!onlyUpward || list.GetTopIndex() < wanted) {
      list.EnsureVisible(count - 1, false);
      list.EnsureVisible(wanted, false);
      RECT item;
      if (list.GetItemRect(0, &item, LVIR_BOUNDS)) {
        list.SendMessage(LVM_SCROLL, 0, (wanted - list.GetTopIndex()) * (item.bottom - item.top));
      }
    }
  }
  if (!place.key.empty()) {
    for (int i = 0; i < count; ++i) {
      if (list.GetItemText(i, keyColumn) == place.key) {
        list.SetItemState(i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        break;
      }
    }
  }
}

}  // namespace

void CStsConn::RedrawAppList(bool force) {
  if (!appList_ || !appList_->GetSafeHwnd()) return;
  if (!force && LeftButtonDown()) return;
  ListPlace place = RememberPlace(*appList_, 4);
  if (place.key.empty()) selectedPid_ = -1;
  appList_->SendMessage(WM_SETREDRAW, FALSE);
  FreeRowKeys(*appList_);
  appList_->DeleteAllItems();
  FillAppList();
  RestorePlace(*appList_, place, 4, false);
  appList_->SendMessage(WM_SETREDRAW, TRUE);
  appList_->Invalidate(true);
  appList_->UpdateWindow();
}

void CStsConn::RedrawConnectionList(bool force) {
  if (!connectionList_ || !connectionList_->GetSafeHwnd()) return;
  if (!force && LeftButtonDown()) return;
  ListPlace place = RememberPlace(*connectionList_, 0);
  connectionList_->SendMessage(WM_SETREDRAW, FALSE);
  FreeRowKeys(*connectionList_);
  connectionList_->DeleteAllItems();
  FillConnectionList();
  RestorePlace(*connectionList_, place, 0, true);
  connectionList_->SendMessage(WM_SETREDRAW, TRUE);
  connectionList_->Invalidate(true);
  connectionList_->UpdateWindow();
}

void CStsConn::ShowSelectedName(const std::wstring& pidText) {
  if (selectedPid_ == -1) {
    SetDlgItemText(IDC_CONN_APP_NAME, L"");
    return;
  }
  std::wstring text = WideText(processName(static_cast<uint32_t>(selectedPid_))) + L", PID = " + pidText;
  SetDlgItemText(IDC_CONN_APP_NAME, text);
}

void CStsConn::OnItemChangedAppList(NMHDR* header) {
  if (updating_) return;
  if (hostNames_) {
    ::SendDlgItemMessageW(m_hWnd, IDC_CONN_HOSTNAME, BM_SETCHECK, BST_UNCHECKED, 0);
    hostNames_ = false;
  }
  auto* change = reinterpret_cast<NMLISTVIEW*>(header);
  std::wstring pidText = change->iItem >= 0 ? appList_->GetItemText(change->iItem, 4) : L"";
  selectedPid_ = pidText.empty() ? -1 : static_cast<int>(std::wcstol(pidText.c_str(), nullptr, 10));
  RedrawConnectionList(true);
  ShowSelectedName(pidText);
}

void CStsConn::OnColumnClickAppList(NMHDR* header) {
  const int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
  int code = column >= 0 && column <= 3 ? column + 1 : 1;
  if (code == appSortCode_) code = -code;
  appSortCode_ = code;
  appList_->SortItems(CompareAppKeys, static_cast<DWORD_PTR>(static_cast<LPARAM>(appSortCode_)));
}

void CStsConn::OnColumnClickConnectionList(NMHDR* header) {
  int code = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem + 1;
  if (code == connectionSortCode_) code = -code;
  connectionSortCode_ = code;
  connectionList_->SortItems(CompareConnectionKeys, static_cast<DWORD_PTR>(static_cast<LPARAM>(connectionSortCode_)));
}

void CStsConn::OnSelChangeAdapter() {
  const int entry = ComboSelection(GetDlgItemHandle(IDC_CONN_ADAPTER));
  adapterFilter_ = entry <= 0 ? kAllFilter : entry - 1;
  ApplyFilter();
  RefreshLists(true);
}

void CStsConn::OnSelChangeProtocol() {
  const int entry = ComboSelection(GetDlgItemHandle(IDC_CONN_PROTOCOL));
  protocolFilter_ = entry <= 0 ? kAllFilter : entry - 1;
  ApplyFilter();
  RefreshLists(true);
}

void CStsConn::OnSelChangeUnit() {
  const int entry = ComboSelection(GetDlgItemHandle(IDC_CONN_UNIT));
  unit_ = entry < 0 ? 1 : entry;
  RefreshLists(true);
}

void CStsConn::OnSelChangeUpdatePeriod() {
  const int entry = ComboSelection(GetDlgItemHandle(IDC_CONN_PERIOD));
  period_ = entry < 0 ? kPeriodHigh : entry;
  if (period_ != kPeriodPaused) {
    hostNames_ = false;
    ::EnableWindow(GetDlgItemHandle(IDC_CONN_HOSTNAME), FALSE);
  } else {
    ::EnableWindow(GetDlgItemHandle(IDC_CONN_HOSTNAME), TRUE);
    OnBnClickedShowHostName();
  }
  RefreshLists(true);
}

void CStsConn::OnBnClickedShowHostName() {
  hostNames_ = ::SendDlgItemMessageW(m_hWnd, IDC_CONN_HOSTNAME, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (!hostNames_) {
    RefreshLists(true);
    return;
  }
  auto* box = new CShowMsgDlg();
  const bool shown = box->CreateOnDesktop();
  if (shown) {
    box->SetTitleAndClear(L"Show hostname");
    box->SetLine1(L"Show hostname");
    box->SetLine2(L"");
    box->ShowWindow(SW_SHOW);
    box->UpdateWindow();
  }
  RefreshLists(true);
  if (shown) box->DestroyWindow();
  delete box;
}

void CStsConn::OnBnClickedAdjustWidth() {
  narrow_ = !narrow_;
  const int appX = appListPlace_.left, appY = appListPlace_.top;
  const int appW = appListPlace_.right - appListPlace_.left, appH = appListPlace_.bottom - appListPlace_.top;
  const int connX = connectionListPlace_.left, connY = connectionListPlace_.top;
  const int connW = connectionListPlace_.right - connectionListPlace_.left;
  const int connH = connectionListPlace_.bottom - connectionListPlace_.top;
  int d;
  if (narrow_) {
    SetDlgItemText(IDC_CONN_ADJUST_WIDTH, L"More");
    MoveList(*appList_, appX, appY, appListClient_.cx - kNarrowShift, appListClient_.cy);
    MoveList(*connectionList_, connX - kNarrowShift, connY, connectionListClient_.cx + kNarrowShift,
             connectionListClient_.cy);
    appList_->SetColumnWidth(0, appListClient_.cx - kNarrowShift);
    d = (connectionListClient_.cx + 100) / 7;
  } else {
    SetDlgItemText(IDC_CONN_ADJUST_WIDTH, L"Less");
    MoveList(*appList_, appX, appY, appW, appH);
    MoveList(*connectionList_, connX, connY, connW, connH);
    appList_->SetColumnWidth(0, nameColumnWidth_);
    d = (connectionListClient_.cx - 20) / 7;
  }
  const int widths[5] = {d, 2 * d, 2 * d, d, d};
  for (int column = 0; column < 5; ++column) connectionList_->SetColumnWidth(column, widths[column]);
}

void CStsConn::OnBnClickedLog() { logs_.DoModal(); }
