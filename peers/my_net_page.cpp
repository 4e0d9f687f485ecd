#include "peers/my_net_page.h"

#include <winsock2.h>
#include <iphlpapi.h>

#include <cstdio>
#include <cstring>

#include "common/adapter_table.h"
#include "common/os_version.h"
#include "common/text_helpers.h"
#include "framework/message_pump.h"
#include "peers/computer_list_dlg.h"
#include "peers/computer_list_file.h"
#include "peers/km_bind_address.h"
#include "peers/lan_sender.h"
#include "peers/magic_packet.h"
#include "peers/remote_computer_dlg.h"
#include "peers/scan_response_setting.h"
#include "peers/scan_plan.h"
#include "peers/wake_on_lan.h"
#include "resources/program_images.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "shell/lang_text_format.h"
#include "shell/main_messages.h"
#include "shell/network_cable.h"
#include "shell/show_msg_dlg.h"

namespace {
constexpr int32_t kZone = 8;        // the page's texts
constexpr int32_t kScanZone = 7;    // the scan boxes' texts
constexpr int32_t kResultZone = 5;  // "Scan completed"
constexpr int kIpTextUnits = 16;

const wchar_t* Text(const char* key) { return LoadLangText(kZone, key); }

// The link word the page keeps: the untranslated "Yes" or "No".
const wchar_t* LinkWord(bool up) { return up ? L"Yes" : L"No"; }
}  // namespace

std::wstring OsNameText(int16_t code) {
  if (code == 1) return L"Windows Server 2008 R2";
  wchar_t name[kOsDisplayNameChars] = {};
  GetOsDisplayName(name, code);
  return name;
}

std::wstring PrivateIpText(uint8_t subnet, int host) {
  wchar_t text[kIpTextUnits + 8];
  std::swprintf(text, sizeof text / sizeof text[0], L"192.168.%d.%d", subnet, host);
  return text;
}

int HostOfIpText(const std::wstring& ipText, int fallback) {
  int count = 0;
  std::unique_ptr<std::wstring[]> parts = SplitString(ipText, L'.', &count);
  if (count != 4 || !parts) return fallback;
  return static_cast<int>(std::wcstol(parts[3].c_str(), nullptr, 10));
}

CMyNet::CMyNet() : CDialog(IDD_MY_NET), list_(std::make_unique<ComputerList>()) {
  for (std::wstring& text : wolText_) text = L" ";
  MapTabPageCommands(*this);
  MapMessages();
}

CMyNet::~CMyNet() {
  rowKeys_.Clear();
  if (probe_) {
    StopAliveProbe(probe_);
    delete probe_;
    probe_ = nullptr;
  }
}

void CMyNet::MapMessages() {
  MapClicked(IDC_MYNET_SCAN, [this] { OnBnClickedScan(); });
  MapClicked(IDC_MYNET_CLEAR_WOL, [this] { OnBnClickedClearWol(); });
  MapClicked(IDC_MYNET_MANAGE, [this] { OnBnClickedManage(); });
  MapClicked(IDC_MYNET_CONNECT, [this] { OnBnClickedConnect(); });
  MapNotify(IDC_MYNET_LIST, NM_CLICK, [this](NMHDR* header, LRESULT*) { OnListClick(header); });
  MapNotify(IDC_MYNET_LIST, NM_DBLCLK, [this](NMHDR* header, LRESULT*) {
    if (reinterpret_cast<NMITEMACTIVATE*>(header)->iItem >= 0) OnBnClickedConnect();
  });
  MapNotify(IDC_MYNET_LIST, LVN_COLUMNCLICK, [this](NMHDR* header, LRESULT*) { OnColumnClick(header); });
  MapMessage(UM_SCAN_PROGRESS, [this](WPARAM wParam, LPARAM) {
    if (scanBox_) {
      scanBox_->SetLine1(FormatLangText(LoadLangText(kScanZone, "TXT_SCAN_COMP"), static_cast<int>(wParam), 3));
    }
    return LRESULT(0);
  });
}

void CMyNet::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_MYNET_LIST, listControl_);
  DDX_Control(dx, IDC_MYNET_SCAN, scan_);
  DDX_Control(dx, IDC_MYNET_CLEAR_WOL, clearWol_);
  DDX_Control(dx, IDC_MYNET_MANAGE, manage_);
  DDX_Control(dx, IDC_MYNET_CONNECT, connect_);
}

void CMyNet::SetPrivateIp(uint8_t octet1, uint8_t octet2, uint8_t octet3, uint8_t octet4) {
  privateIp_[0] = octet1;
  privateIp_[1] = octet2;
  privateIp_[2] = octet3;
  privateIp_[3] = octet4;
  noVirtualAdapter_ = false;
  std::memset(physicalIp_, 0, sizeof physicalIp_);
  if (IsNoPrivateAddress(privateIp_)) {
    noVirtualAdapter_ = true;
    RefreshAdapterIp();
  }
}

void CMyNet::RefreshAdapterIp() {
  wchar_t address[16] = {};
  if (!GetAdapterIpByGuid(address, adapterGuidName_.c_str())) return;
  const std::wstring text = address;
  if (text.empty()) return;
  int count = 0;
  std::unique_ptr<std::wstring[]> parts = SplitString(text, L'.', &count);
  if (count != 4 || !parts) return;
  for (int i = 0; i < 4; ++i) physicalIp_[i] = static_cast<uint8_t>(std::wcstol(parts[i].c_str(), nullptr, 10));
  list_->subnet = physicalIp_[2];
}

int CMyNet::OwnHost() const { return noVirtualAdapter_ ? physicalIp_[3] : privateIp_[3]; }
uint8_t CMyNet::Net() const { return noVirtualAdapter_ ? physicalIp_[2] : privateIp_[2]; }

BOOL CMyNet::OnInitDialog() {
  CDialog::OnInitDialog();
  toolTip_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, nullptr, nullptr);
  if (toolTip_) {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(listControl_.GetSafeHwnd());
    tool.lpszText = const_cast<wchar_t*>(Text("TXT_DBL_CLICK_TO_SEL"));
    ::SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(toolTip_, TTM_ACTIVATE, TRUE, 0);
  }

  CRect client;
  listControl_.GetClientRect(&client);
  const int unit = (client.Width() - 20) / 15;
  const struct { const char* key; int units; } columns[] = {
      {"COL_COMP_NAME", 3}, {"COL_IP_ADDR", 3}, {"COL_LINK", 1}, {"COL_CPU", 3}, {"COL_OS", 3}, {nullptr, 2}};
  for (int i = 0; i < 6; ++i) {
    listControl_.InsertColumn(i, columns[i].key ? Text(columns[i].key) : L"WOL", LVCFMT_LEFT, columns[i].units * unit);
  }
  listControl_.SetExtendedStyle(listControl_.GetExtendedStyle() | LVS_EX_FULLROWSELECT);

  LoadComputerList(folder_, list_.get());
  FillList(true, L"");
  listControl_.ColorSortColumn(true);
  listControl_.InitSortArrows();
  sortKey_ = 1;

  if (mainWindow_) {
    ::SendMessageW(mainWindow_, UM_PEER_TABLE, 0, 0);
    ::SendMessageW(mainWindow_, UM_PEER_TABLE, 1, reinterpret_cast<LPARAM>(&peers_));
  }

  scan_.LoadStdImage(IDP_FIND_COMPUTERS);
  scan_.SetTooltipText(Text("TXT_FIND_OTHER_COMP"));
  manage_.LoadStdImage(IDP_COMPUTER_LIST);
  manage_.SetTooltipText(Text("TXT_MANAGE_COMP_LIST"));
  manage_.disabled = true;
  clearWol_.LoadStdImage(IDP_CLEAR_WAKE_UP);
  clearWol_.SetTooltipText(Text("TXT_CLR_WOL_STS"));
  connect_.LoadStdImage(IDP_CONNECT);
  connect_.SetTooltipText(Text("TXT_CONN_RMT_COMP"));
  connect_.disabled = true;

  probe_ = new (std::nothrow) AliveProbeRecord();
  if (probe_) {
    probe_->peerTable = peers_;
    if (!StartAliveProbe(probe_)) {
      StopAliveProbe(probe_);
      delete probe_;
      probe_ = nullptr;
    }
  }
  return TRUE;
}

BOOL CMyNet::PreTranslateMessage(MSG* msg) {
  if (toolTip_) ::SendMessageW(toolTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
  SwallowEnterAndEscape(msg);
  return CDialog::PreTranslateMessage(msg);
}

void CMyNet::OnBnClickedScan() {
  if (g_AdapterTable.GetLinkFlag(adapterName_.c_str()) == 0) {
    CNetworkCable cable(this);
    cable.m_adapterName = adapterName_.c_str();
    if (cable.DoModal() == -1) return;
  }
  if (noVirtualAdapter_) RefreshAdapterIp();
  scanning_ = true;
  if (mainWindow_) ::SendMessageW(mainWindow_, UM_PEER_TABLE, 0, 0);
  if (mainWindow_) ::EnableWindow(mainWindow_, FALSE);
  listControl_.DeleteAllItems();
  rowKeys_.Clear();
  listControl_.UpdateWindow();

  if (noVirtualAdapter_) {
    ArpScan();
  } else {
    BroadcastScan(scanPort_, privateIp_[2]);
  }
  if (mainWindow_) ::EnableWindow(mainWindow_, TRUE);
  MergeScanReplies();
  scanning_ = false;
  Refresh();
  listControl_.Invalidate();
  EnableWindow(true);
  RaiseWindow();
}

void CMyNet::RaiseWindow() {
  HWND top = ::GetAncestor(m_hWnd, GA_ROOT);
  ::SetWindowPos(top, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetWindowPos(top, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::ShowWindow(top, SW_SHOWNORMAL);
  ::SetForegroundWindow(top);
}

void CMyNet::MergeScanReplies() {
  if (!peers_) return;
  const int own = OwnHost();
  for (int host = 0; host < PeerInfoTable::kHosts; ++host) {
    if (!peers_->present[host] || host == own) continue;
    list_->AddHost(static_cast<uint8_t>(host), peers_->name[host], peers_->cpu[host], peers_->osCode[host],
                   peers_->mac[host]);
  }
  list_->Snapshot();
}

DWORD WINAPI CMyNet::ScanProgressThread(void* page) {
  HWND window = static_cast<CMyNet*>(page)->m_hWnd;
  for (WPARAM step = 1; step <= 3; ++step) {
    ::Sleep(1000);
    ::SendMessageW(window, UM_SCAN_PROGRESS, step, 0);
  }
  return 0;
}

void CMyNet::BroadcastScan(uint16_t port, uint8_t net) {
  LanSendSocket socket;
  if (!socket.IsOpen()) return;
  socket.AllowBroadcast();
  const LanDatagram request = BuildScanRequest();
  const LanPeer to{PrivateBroadcastAddress(net), port};
  for (int send = 0; send < 2; ++send) {
    socket.SendTo(to, request);
    ::Sleep(100);
  }

  scanBox_ = new CShowMsgDlg(this);
  if (scanBox_->CreateOnDesktop()) {
    scanBox_->SetTitleAndClear(LoadLangText(kScanZone, "TXT_SCAN"));
    scanBox_->SetLine1(LoadLangText(kScanZone, "TXT_START_TO_SCAN"));
    scanBox_->ShowWindow(SW_SHOW);
  }
  HANDLE thread = ::CreateThread(nullptr, 2 * 1024, ScanProgressThread, this,
                                 CREATE_SUSPENDED | STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (thread) {
    ::ResumeThread(thread);
    WaitWithMessages(thread);
    ::CloseHandle(thread);
  }
  scanBox_->DestroyWindow();
  delete scanBox_;
  scanBox_ = nullptr;
}

DWORD WINAPI CMyNet::ArpScanThread(void* parameter) {
  auto* page = static_cast<CMyNet*>(parameter);
  const int index = g_AdapterTable.GetIndex(page->adapterName_.c_str());
  ArpScanRequests(&page->arpTable_, page->physicalIp_[2], page->physicalIp_[3], static_cast<unsigned long>(index),
                  page->scanPort_);
  return 0;
}

void CALLBACK CMyNet::ScanProgressTimer(void* parameter, BOOLEAN) {
  auto* page = static_cast<CMyNet*>(parameter);
  if (CShowMsgDlg* box = page->arpBox_) box->ShowScanCompletedWifi();
}

void CMyNet::ArpScan() {
  arpBox_ = new CShowMsgDlg(this);
  if (arpBox_->CreateOnDesktop()) {
    arpBox_->SetTitleAndClear(LoadLangText(kScanZone, "TXT_START_TO_SCAN"));
    arpBox_->ShowWindow(SW_SHOW);
  }
  HANDLE thread = ::CreateThread(nullptr, 8 * 1024, ArpScanThread, this,
                                 CREATE_SUSPENDED | STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  HANDLE queue = ::CreateTimerQueue();
  HANDLE timer = nullptr;
  if (queue) ::CreateTimerQueueTimer(&timer, queue, ScanProgressTimer, this, 0, 1000, WT_EXECUTEDEFAULT);
  if (thread) {
    ::ResumeThread(thread);
    WaitWithMessages(thread);
    ::CloseHandle(thread);
  }
  if (queue) {
    // The timer's callback talks to the box on this thread: wait for the queue while dispatching.
    HANDLE deleted = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ::DeleteTimerQueueEx(queue, deleted);
    if (deleted) {
      WaitWithMessages(deleted, 5000);
      ::CloseHandle(deleted);
    }
  }
  arpBox_->DestroyWindow();
  delete arpBox_;
  arpBox_ = nullptr;
  const wchar_t* completed = LoadLangText(kResultZone, "TITLE_SCAN_COMPLETED");
  ShowTimedStatus(this, completed, completed, 1000);
}

void CMyNet::FillList(bool firstFill, const std::wstring& selectText) {
  const int top = listControl_.GetTopIndex();
  listControl_.DeleteAllItems();
  rowKeys_.Clear();
  for (int host = 0; host < ComputerList::kHosts; ++host) {
    if (!list_->present[host]) continue;
    std::vector<std::wstring> cells = {
        list_->name[host],
        PrivateIpText(list_->subnet, host),
        firstFill ? L"?" : (status_.linkUp[host] ? Text("TXT_YES") : Text("TXT_NO")),
        list_->cpu[host],
        OsNameText(list_->os[host]),
        firstFill ? L" " : wolText_[host],
    };
    const int row = listControl_.InsertItem(listControl_.GetItemCount(), cells[0].c_str());
    for (int column = 1; column < 6; ++column) listControl_.SetItemText(row, column, cells[column].c_str());
    listControl_.SetItemData(row, reinterpret_cast<DWORD_PTR>(rowKeys_.Add(std::move(cells))));
  }
  if (top > 0 && top < listControl_.GetItemCount()) {
    listControl_.EnsureVisible(top, false);
    CRect rowRect;
    const int current = listControl_.GetTopIndex();
    if (current != top && listControl_.GetItemRect(top, &rowRect, LVIR_BOUNDS)) {
      listControl_.SendMessage(LVM_SCROLL, 0, rowRect.Height() * (top - current));
    }
  }
  if (firstFill || selectText.empty()) return;
  for (int row = 0; row < listControl_.GetItemCount(); ++row) {
    if (RowIpText(row) != selectText) continue;
    listControl_.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    break;
  }
}

std::wstring CMyNet::RowIpText(int row) const {
  std::wstring text = listControl_.GetItemText(row, 1);
  if (text.size() > kIpTextUnits - 1) text.resize(kIpTextUnits - 1);
  return text;
}

std::wstring CMyNet::SelectedIpText() const {
  const int row = listControl_.GetNextItem(-1, LVNI_SELECTED);
  return row < 0 ? std::wstring() : RowIpText(row);
}

void CMyNet::Redraw(int32_t* delayCounter) {
  if (*delayCounter > 0) {
    --*delayCounter;
    return;
  }
  const std::wstring selected = SelectedIpText();
  // A refill with drawing on repaints for every row: under Wine 256 rows take seconds.
  listControl_.SendMessage(WM_SETREDRAW, FALSE);
  FillList(false, selected);
  listControl_.SendMessage(WM_SETREDRAW, TRUE);
  listControl_.Invalidate();
}

void CMyNet::RefreshStatus() {
  static const uint8_t kNone[PeerInfoTable::kHosts] = {};
  const int own = OwnHost();
  status_.UpdateLinks(peers_ ? peers_->present : kNone, list_->present, peers_ ? peers_->alive : kNone, own);
  status_.StepWol();
  UpdateWolTexts();
  Redraw(&redrawDelay_);
  if (peers_) std::memset(peers_->alive, 0, sizeof peers_->alive);
  if (list_->HoldsOtherThan(own) || manageCountdown_ > 0) SendLinkQuery(scanPort_, privateIp_[2]);
  if (manageCountdown_ > 0 && --manageCountdown_ == 0) {
    manage_.disabled = false;
    manage_.Invalidate();
  }
}

void CMyNet::RefreshStatusNoVnic() {
  if (!probe_) return;
  {
    std::lock_guard<std::mutex> hold(probe_->lock);
    if (probe_->done == 0) return;
  }
  static const uint8_t kNone[PeerInfoTable::kHosts] = {};
  status_.UpdateLinks(peers_ ? peers_->present : kNone, list_->present, peers_ ? peers_->alive : kNone, OwnHost());
  status_.StepWol();
  UpdateWolTexts();
  {
    std::lock_guard<std::mutex> hold(probe_->lock);
    probe_->port = scanPort_;
    probe_->subnet = physicalIp_[2];
    for (int host = 0; host < 256; ++host) {
      probe_->present[host] = (peers_ && peers_->present[host]) || list_->present[host] ? 1 : 0;
    }
  }
  Redraw(&redrawDelayNoVnic_);
  std::lock_guard<std::mutex> hold(probe_->lock);
  probe_->done = 0;
}

void CMyNet::UpdateWolTexts() {
  for (int host = 0; host < HostStatus::kHosts; ++host) {
    switch (status_.wolState[host]) {
      case kWolOk: wolText_[host] = Text("TXT_WOL_OK"); break;
      case kWolFailed: wolText_[host] = Text("TXT_WOL_FAIL"); break;
      case kWolBooting: wolText_[host] = FormatLangText(Text("TXT_BOOTING"), status_.wolCountdown[host]).substr(0, 15); break;
      default: break;
    }
  }
}

void CMyNet::SendLinkQuery(uint16_t port, uint8_t net) {
  sendLinkQuery_({PrivateBroadcastAddress(net), port});
}

void CMyNet::OnListClick(NMHDR* header) {
  const int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
  selectedRow_ = row >= 0 ? row : -1;
  connect_.disabled = selectedRow_ < 0;
  connect_.Invalidate();
}

void CMyNet::OnColumnClick(NMHDR* header) {
  const int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
  sortKey_ = NextSortKey(sortKey_, column);
  listControl_.SortItems(CompareRows, static_cast<DWORD_PTR>(static_cast<LPARAM>(sortKey_)));
}

int CALLBACK CMyNet::CompareRows(LPARAM first, LPARAM second, LPARAM sortKey) {
  if (!first || !second) return 0;
  return CompareRowKeys(*reinterpret_cast<const RowKey*>(first), *reinterpret_cast<const RowKey*>(second),
                        static_cast<int32_t>(sortKey));
}

void CMyNet::OnBnClickedClearWol() {
  status_.ClearWol();
  for (std::wstring& text : wolText_) text = L" ";
  if (!scanning_) Refresh();
  clearWol_.ShowWindow(SW_HIDE);
}

void CMyNet::OnBnClickedConnect() {
  if (selectedRow_ < 0) return;
  const std::wstring ipText = RowIpText(selectedRow_);
  int host = HostOfIpText(ipText, 0);
  if (host < 0 || host >= 256) host = 0;
  OpenRemoteComputer(host, ipText, status_.linkUp[host]);
}

void CMyNet::WakeUpMac(int host, uint8_t mac[6]) const {
  std::memcpy(mac, list_->mac[host], 6);
  if (peers_ && peers_->present[host]) {
    uint8_t scanned[6];
    std::memcpy(scanned, peers_->mac[host], 6);
    if (!IsZeroMac(scanned)) std::memcpy(mac, scanned, 6);
  }
}

bool CMyNet::SendWakeOnLan(const uint8_t mac[6]) { return ::SendWakeOnLan(Net(), mac); }

void CMyNet::OpenRemoteComputer(int host, const std::wstring& ipText, bool linkUp) {
  MyNetServType dialog(this);
  dialog.scanPort_ = scanPort_;
  dialog.kmPort_ = kmPort_;
  dialog.passwordBuffer_ = passwordBuffer_;
  dialog.passwordEvent_ = passwordEvent_;
  dialog.ipText_ = ipText;
  dialog.folder_ = folder_;
  const bool scanned = peers_ && peers_->present[host];
  dialog.name_ = scanned ? peers_->name[host] : list_->name[host];
  dialog.cpu_ = scanned ? peers_->cpu[host] : list_->cpu[host];
  dialog.os_ = scanned ? peers_->osCode[host] : list_->os[host];
  dialog.wolMode_ = !linkUp;
  uint8_t mac[6];
  WakeUpMac(host, mac);
  dialog.DoModal();
  if (dialog.Result() == 2) {
    if (mainWindow_) ::SendMessageW(mainWindow_, UM_KM_MODE, 0, 1);
  } else if (dialog.Result() == 1) {
    // A MAC of all zeros is no computer's: nothing is sent and nothing waits for it.
    if (IsZeroMac(mac)) return;
    SendWakeOnLan(mac);
    status_.StartBooting(host);
    clearWol_.ShowWindow(SW_SHOW);
  }
}

void CMyNet::OnBnClickedManage() {
  CMgmtComp dialog(this);
  const uint8_t* own = noVirtualAdapter_ ? physicalIp_ : privateIp_;
  std::memcpy(dialog.address_, own, 4);
  dialog.List().CopyHostsFrom(*list_);
  for (int host = 0; host < 256; ++host) dialog.linkText_[host] = LinkWord(status_.linkUp[host]);
  dialog.folder_ = folder_;
  if (dialog.DoModal() != 0) return;
  ApplyScanResponseChoice(folder_, dialog.ScanResponse());
  list_->CopyHostsFrom(dialog.List());
  list_->Snapshot();
  FillList(true, L"");
}
