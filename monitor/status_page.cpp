#include "monitor/status_page.h"

#include <cstdio>

#include "adapters/adapter_enum.h"
#include "monitor/rate_text.h"
#include "monitor/wide_text.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"

namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kPointSpacing = 5;

void FillCombo(HWND combo, std::initializer_list<const wchar_t*> entries, int selected) {
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const wchar_t* entry : entries) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

AdapterFigures& operator+=(AdapterFigures& sum, const AdapterFigures& row) {
  sum.tickSent += row.tickSent;
  sum.tickReceived += row.tickReceived;
  sum.averageSent += row.averageSent;
  sum.averageReceived += row.averageReceived;
  return sum;
}

// Kilobytes per second of a tick's bytes for the graph: 1 to 1023 bytes count as one kilobyte.
int GraphKilobytes(uint64_t bytes) {
  uint64_t k = bytes / 1024;
  if (bytes > 0 && bytes < 1024) k = 1;
  return static_cast<int>(k / 2);
}

}  // namespace

CStatus::CStatus() : CDialog(IDD_STATUS_PAGE) {
  MapTabPageCommands(*this);
  MapNotify(IDC_STS_ADAPTER_LIST, LVN_ITEMCHANGED,
            [this](NMHDR* header, LRESULT*) { OnItemChangedAdapterList(header); });
  MapClicked(IDC_STS_TXRX, [this] { OnBnClickedTxRx(); });
  MapCommand(IDC_STS_FILTER, CBN_SELCHANGE, [this] { OnSelChangeFilter(); });
  MapCommand(IDC_STS_UNIT, CBN_SELCHANGE, [this] { OnSelChangeUnit(); });
  MapClicked(IDC_STS_CONNECTION, [this] { OnBnClickedConnection(); });
}

BOOL CStatus::PreTranslateMessage(MSG* msg) {
  SwallowEnterAndEscape(msg);
  return CDialog::PreTranslateMessage(msg);
}

BOOL CStatus::OnInitDialog() {
  CDialog::OnInitDialog();
  totalMode_ = true;
  m_resetRequest = false;
  wchar_t privateText[16];
  std::swprintf(privateText, 16, L"%d.%d.%d.%d", m_privateIp[0], m_privateIp[1], m_privateIp[2], m_privateIp[3]);
  privateText_ = privateText;

  list_.SubclassDlgItem(IDC_STS_ADAPTER_LIST, this);
  list_.SetExtendedStyle(list_.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
  RECT client;
  list_.GetClientRect(&client);
  const int width = (client.right - 20) / 5;
  const wchar_t* headings[] = {L"#", L"Upload", L"Download", L"Avg. Upload", L"Avg. Download"};
  for (int i = 0; i < 5; ++i) list_.InsertColumn(i, headings[i], LVCFMT_LEFT, width);

  adapters_.assign(kMaxAdapterRecords, IpAdapterRecord{});
  uint32_t count = 0;
  if (!readAdapters(adapters_.data(), &count, kMiniportsOnly)) count = 0;
  adapters_.resize(count);
  m_traffic.rowMacs.clear();
  for (const IpAdapterRecord& record : adapters_) {
    std::array<uint8_t, 6> mac;
    for (int i = 0; i < 6; ++i) mac[static_cast<size_t>(i)] = record.mac[i];
    m_traffic.rowMacs.push_back(mac);
  }

  FillCombo(GetDlgItemHandle(IDC_STS_UNIT), {L"Bytes", L"K Bytes", L"M Bytes"}, 1);
  unit_ = 1;
  FillCombo(GetDlgItemHandle(IDC_STS_FILTER), {L"All traffic", L"Internet traffic", L"Private LAN traffic"}, 0);
  filter_ = 0;
  SetDlgItemText(IDC_STS_LEGEND, L"Yellow = Total");

  InitGraphs();
  FillAdapterRows();
  graphSource_ = kGraphAll;
  list_.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

  connections_.SetParentWindow(this);
  if (m_connectionsAvailable) {
    connections_.SetPrivateIp(m_privateIp);
  } else {
    ::ShowWindow(GetDlgItemHandle(IDC_STS_CONNECTION), SW_HIDE);
  }
  return TRUE;
}

void CStatus::ZeroFigures() {
  for (AdapterFigures& row : m_traffic.tick.rows) row = AdapterFigures{};
}

bool CStatus::IsPrivate(size_t row) const { return privateText_ == adapters_[row].ipv4; }

bool CStatus::Listed(size_t row) const {
  switch (filter_) {
    case 0: return true;
    case 1: return !IsPrivate(row);
    default: return IsPrivate(row);
  }
}

void CStatus::InitGraphs() {
  const bool total = totalGraph_.ReplaceStatic(IDC_STS_TOTAL_GRAPH, this);
  const bool txRx = txRxGraph_.ReplaceStatic(IDC_STS_TXRX_GRAPH, this);
  for (C2DPushGraph* graph : {&totalGraph_, &txRxGraph_}) {
    graph->showGrid = true;
    graph->SetLineInterval(kPointSpacing);
    graph->SetGridSize(10);
    graph->SetVisiblePointCount(-1);
  }
  historyLength_ = 0;
  if (txRx) {
    RECT client;
    txRxGraph_.GetClientRect(&client);
    historyLength_ = static_cast<size_t>(client.right / kPointSpacing);
  }
  ResetGraphs();
  if (total) totalGraph_.ShowWindow(SW_SHOW);
  if (txRx) txRxGraph_.ShowWindow(SW_HIDE);
}

void CStatus::ResetGraphs() {
  totalGraph_.RemoveSeries(0);
  totalGraph_.AddSeries(0, kYellow);
  txRxGraph_.RemoveSeries(0);
  txRxGraph_.RemoveSeries(1);
  txRxGraph_.AddSeries(0, kYellow);
  txRxGraph_.AddSeries(1, kRed);
}

void CStatus::FillAdapterRows() {
  list_.SendMessage(WM_SETREDRAW, FALSE);
  list_.DeleteAllItemData();
  list_.DeleteAllItems();
  int row = 0;
  if (filter_ == 0) list_.InsertItem(row++, L"All");
  if (filter_ == 0 || filter_ == 1) list_.InsertItem(row++, L"Internet");
  int lastPrivate = 0;
  for (size_t i = 0; i < adapters_.size(); ++i) {
    if (!Listed(i)) continue;
    wchar_t name[32];
    const wchar_t* tag = IsPrivate(i) ? L" (Private)" : adapters_[i].isPseudo ? L" (PPPoE)" : L"";
    std::swprintf(name, 32, L"%d%ls", static_cast<int>(i + 1), tag);
    const int item = list_.InsertItem(row++, name);
    list_.SetItemData(item, i);
    if (IsPrivate(i)) lastPrivate = static_cast<int>(i);
  }
  list_.SendMessage(WM_SETREDRAW, TRUE);
  list_.Invalidate(true);
  graphSource_ = filter_ == 0 ? kGraphAll : filter_ == 1 ? kGraphInternet : lastPrivate;
}

void CStatus::ShowSelection(int row) {
  wchar_t text[40] = L"";
  if (filter_ == 0) {
    if (row <= 0) {
      graphSource_ = kGraphAll;
      std::swprintf(text, 40, L"All");
    } else if (row == 1) {
      graphSource_ = kGraphInternet;
      std::swprintf(text, 40, L"Internet");
    } else {
      graphSource_ = row - 2;
      std::swprintf(text, 40, L"Adapter %d", row - 1);
    }
  } else if (filter_ == 1) {
    if (row <= 0) {
      graphSource_ = kGraphInternet;
      std::swprintf(text, 40, L"Internet");
    } else {
      int seen = 0;
      for (size_t i = 0; i < adapters_.size(); ++i) {
        if (IsPrivate(i)) continue;
        if (seen++ == row - 1) {
          graphSource_ = static_cast<int>(i);
          std::swprintf(text, 40, L"%d (Internet)", static_cast<int>(i + 1));
          break;
        }
      }
    }
  } else {
    int seen = 0;
    for (size_t i = 0; i < adapters_.size(); ++i) {
      if (!IsPrivate(i)) continue;
      if (seen++ == row) {
        std::swprintf(text, 40, L"%d (Private)", static_cast<int>(i + 1));
        break;
      }
    }
  }
  SetDlgItemText(IDC_STS_SELECTION, text);
}

void CStatus::OnItemChangedAdapterList(NMHDR* header) {
  if (m_updating) return;
  sentHistory_.clear();
  receivedHistory_.clear();
  ResetGraphs();
  ShowSelection(reinterpret_cast<NMLISTVIEW*>(header)->iItem);
  m_resetRequest = true;
}

std::wstring CStatus::Figure(uint64_t value) const { return WideText(FormatStatusFigure(value, unit_)); }

void CStatus::WriteRow(int listRow, const AdapterFigures& figures) {
  list_.SetItemText(listRow, 1, Figure(figures.tickSent).c_str());
  list_.SetItemText(listRow, 2, Figure(figures.tickReceived).c_str());
  const bool blank = m_blankAverages > 0;
  list_.SetItemText(listRow, 3, blank ? L"" : Figure(figures.averageSent).c_str());
  list_.SetItemText(listRow, 4, blank ? L"" : Figure(figures.averageReceived).c_str());
}

void CStatus::UpdateTraffic(bool force) {
  if (!m_traffic.tick.seen) return;
  if (!force && (::GetKeyState(VK_LBUTTON) & 0x8000)) return;
  const auto& rows = m_traffic.tick.rows;
  AdapterFigures all, internet;
  for (size_t i = 0; i < adapters_.size(); ++i) {
    all += rows[i];
    if (!IsPrivate(i)) internet += rows[i];
  }
  int listRow = 0;
  if (filter_ == 0) WriteRow(listRow++, all);
  if (filter_ == 0 || filter_ == 1) WriteRow(listRow++, internet);
  AdapterFigures graphed;
  bool lastPrivateSeen = false;
  for (size_t i = 0; i < adapters_.size(); ++i) {
    if (!Listed(i)) continue;
    WriteRow(listRow++, rows[i]);
    if (filter_ == 2) {
      graphed = rows[i];
      lastPrivateSeen = true;
    }
  }
  if (filter_ != 2) {
    if (filter_ == 0 && graphSource_ == kGraphAll) {
      graphed = all;
    } else if (graphSource_ == kGraphInternet) {
      graphed = internet;
    } else if (graphSource_ >= 0 && static_cast<size_t>(graphSource_) < adapters_.size()) {
      graphed = rows[static_cast<size_t>(graphSource_)];
    }
  } else if (!lastPrivateSeen) {
    graphed = AdapterFigures{};
  }
  if (m_blankAverages > 0) --m_blankAverages;

  sentHistory_.push_back(graphed.tickSent / 2);
  receivedHistory_.push_back(graphed.tickReceived / 2);
  while (historyLength_ && sentHistory_.size() > historyLength_) sentHistory_.pop_front();
  while (historyLength_ && receivedHistory_.size() > historyLength_) receivedHistory_.pop_front();
  uint64_t peakSent = scaleUnit_, peakReceived = scaleUnit_;
  for (uint64_t v : sentHistory_) peakSent = v / 1024 > peakSent ? v / 1024 : peakSent;
  for (uint64_t v : receivedHistory_) peakReceived = v / 1024 > peakReceived ? v / 1024 : peakReceived;
  const uint64_t larger = peakSent > peakReceived ? peakSent : peakReceived;
  totalGraph_.SetMinimum(0);
  totalGraph_.SetMaximum(static_cast<int>(peakSent + peakReceived));
  txRxGraph_.SetMinimum(0);
  txRxGraph_.SetMaximum(static_cast<int>(larger));
  const int s = GraphKilobytes(graphed.tickSent);
  const int r = GraphKilobytes(graphed.tickReceived);
  totalGraph_.PushValue(s + r, 0);
  txRxGraph_.PushValue(s, 0);
  txRxGraph_.PushValue(r, 1);
  const uint64_t scale = totalMode_ ? peakSent + peakReceived : larger;
  wchar_t label[32];
  if (scale <= 1024) {
    std::swprintf(label, 32, L"%d K", static_cast<int>(scale));
  } else {
    std::swprintf(label, 32, L"%d M", static_cast<int>(scale / 1024));
  }
  SetDlgItemText(IDC_STS_SCALE, label);
  totalGraph_.Advance();
  txRxGraph_.Advance();
}

void CStatus::OnBnClickedTxRx() {
  const bool ticked = ::SendDlgItemMessageW(m_hWnd, IDC_STS_TXRX, BM_GETCHECK, 0, 0) == BST_CHECKED;
  totalMode_ = !ticked;
  SetDlgItemText(IDC_STS_LEGEND, ticked ? L"Yellow = TX , Red = RX" : L"Yellow = Total");
  if (totalGraph_.GetSafeHwnd()) totalGraph_.ShowWindow(ticked ? SW_HIDE : SW_SHOW);
  if (txRxGraph_.GetSafeHwnd()) txRxGraph_.ShowWindow(ticked ? SW_SHOW : SW_HIDE);
  scaleUnit_ = 1024;
}

void CStatus::OnSelChangeFilter() {
  const int entry = static_cast<int>(::SendDlgItemMessageW(m_hWnd, IDC_STS_FILTER, CB_GETCURSEL, 0, 0));
  filter_ = entry < 0 ? 0 : entry;
  FillAdapterRows();
  m_updating = true;
  list_.SendMessage(WM_SETREDRAW, FALSE);
  UpdateTraffic(true);
  list_.SendMessage(WM_SETREDRAW, TRUE);
  list_.Invalidate(true);
  m_updating = false;
  ShowSelection(0);
}

void CStatus::OnSelChangeUnit() {
  const int entry = static_cast<int>(::SendDlgItemMessageW(m_hWnd, IDC_STS_UNIT, CB_GETCURSEL, 0, 0));
  unit_ = entry < 0 ? 1 : entry;
  m_updating = true;
  list_.SendMessage(WM_SETREDRAW, FALSE);
  UpdateTraffic(true);
  list_.SendMessage(WM_SETREDRAW, TRUE);
  list_.Invalidate(true);
  m_updating = false;
}

void CStatus::OnBnClickedConnection() { connections_.DoModal(); }
