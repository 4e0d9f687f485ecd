#include "shell/corvane_dlg.h"

#include <winsock2.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "common/adapter_table.h"
#include "common/link_watcher.h"
#include "common/os_version.h"
#include "peers/clipboard_server.h"
#include "peers/computer_list_file.h"
#include "peers/km_input_capture.h"
#include "peers/swivo_controller.h"
#include "peers/swivo_service.h"
#include "shell/about_dlg.h"
#include "shell/command_words.h"
#include "shell/dialog_ids.h"
#include "shell/engine_stop.h"
#include "shell/instance_event_watcher.h"
#include "shell/instance_events.h"
#include "shell/lang_text.h"
#include "shell/main_messages.h"
#include "shell/open_dialog_list.h"
#include "shell/program_folder.h"
#include "shell/show_msg_dlg.h"

namespace {
constexpr int32_t kZone = 1;  // the main dialog's texts
constexpr UINT kRestartCheckMs = 1000;
constexpr int kTabFontTenthsOfPoint = 85;
constexpr int kTabRightGap = 7;
constexpr int kTabBottomGap = 6;
constexpr UINT kTrayDefaultItemPosition = 3;
constexpr wchar_t kProgramVersion[] = L"3.0";

const wchar_t* Text(const char* key) { return LoadLangText(kZone, key); }

bool OsSupported(int code) {
  switch (code) {
    case 5: case 6: case 7: case 8: case 9: case 15: case 16: return true;
    default: return false;
  }
}
}  // namespace

CorvaneDlgStart ThisProcessStart() {
  return {ProgramFolderOfModule(), ::GetCommandLineW(), ModulePath()};
}

void RestartProgram(const std::wstring& modulePath) {
  // The path is quoted: "C:\Program Files\..." must not be read as "C:\Program" with arguments.
  std::wstring commandLine = L"\"" + modulePath + L"\" RESTART";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  if (::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
}

CCorvaneDlg::CCorvaneDlg(const CorvaneDlgStart& start) : CDialog(IDD_MAIN), start_(start) {
  // One row per page, in tab order; the pages of later areas join this table.
  pages_ = {
      {&myNet_, IDD_MY_NET, "TAB_MY_NET", PageCondition::kInstallation, {}},
      {&swivoPage_, IDD_MY_SERVER, "TAB_SWIVO", PageCondition::kInstallation, {}},
      {&status_, IDD_STATUS_PAGE, "TAB_STATUS", PageCondition::kInstallationWithVirtualAdapters, {}},
      {&routing_, IDD_ROUTING_PAGE, "TAB_ROUTING", PageCondition::kInstallationWithVirtualAdapters, {}},
      {&driver_, IDD_DRIVER_PAGE, "TAB_DRV", PageCondition::kAlways,
       [this] {
         bool requested = driver_.IsRestartRequested();
         driver_.ClearRestartRequest();
         return requested;
       }},
      {&update_, IDD_UPDATE, "TAB_VER", PageCondition::kAlways,
       [this] {
         bool requested = update_.IsRestartRequested();
         update_.ClearRestartRequest();
         return requested;
       }},
      {&help_, IDD_HELP_PAGE, "TAB_HELP", PageCondition::kAlways, {}},
  };
  KmCreateLocks();
  icon_ = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                                          0, 0, LR_DEFAULTSIZE | LR_SHARED));
  MapMessages();
}

CCorvaneDlg::~CCorvaneDlg() {
  if (m_hWnd) DestroyWindow();
}

void CCorvaneDlg::MapMessages() {
  MapMessage(WM_SYSCOMMAND, [this](WPARAM wParam, LPARAM lParam) {
    OnSysCommand(static_cast<UINT>(wParam), lParam);
    return LRESULT(0);
  });
  MapMessage(WM_QUERYDRAGICON, [this](WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(icon_); });
  MapMessage(WM_DRAWCLIPBOARD, [this](WPARAM, LPARAM) {
    OnDrawClipboard();
    return LRESULT(0);
  });
  MapMessage(WM_CHANGECBCHAIN, [this](WPARAM wParam, LPARAM lParam) {
    Default();
    clipboardViewer_.OnChangeCbChain(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
    return LRESULT(0);
  });
  MapMessage(UM_REFRESH, [this](WPARAM, LPARAM) {
    OnPeriodicRefresh();
    return LRESULT(0);
  });
  MapMessage(UM_CLOSE_DIALOGS, [](WPARAM, LPARAM) {
    CloseOpenDialogs();
    return LRESULT(0);
  });
  MapMessage(UM_CLOSE_DEVICE, [this](WPARAM, LPARAM) {
    // Polling stops for good: the next tick finds it off and is not re-armed.
    channel_.CloseHandleOnly();
    pollingEnabled_ = false;
    return LRESULT(0);
  });
  MapMessage(UM_LOG_RECORD, [this](WPARAM, LPARAM lParam) {
    OnLogRecord(lParam);
    return LRESULT(1);
  });
  MapMessage(UM_BRING_TO_FRONT, [this](WPARAM, LPARAM) {
    OnBringToFront();
    return LRESULT(0);
  });
  MapMessage(UM_QUIT_OR_ABOUT, [this](WPARAM wParam, LPARAM) {
    OnQuitOrAbout(wParam);
    return LRESULT(0);
  });
  MapSwivoMessages();
  // The tray menu's commands reach the window that owns the menu, this one.
  MapCommand(ID_TRAY_QUIT, 0, [this] { SendMessage(UM_QUIT_OR_ABOUT, 1); });
  MapCommand(ID_TRAY_ABOUT, 0, [this] { SendMessage(UM_QUIT_OR_ABOUT, 0); });
}

int CCorvaneDlg::OnCreate(CREATESTRUCTW* create) {
  if (CDialog::OnCreate(create) == -1) return -1;
  ModifyStyle(0, WS_MINIMIZEBOX);
  startupQuit_ = false;
  instanceMarker_ = nullptr;

  InstanceStart instance =
      ResolveInstanceAtStart(FindStartWord(start_.commandLine, start_.modulePath), [](DWORD ms) { ::Sleep(ms); });
  startupQuit_ = instance.startupQuit;
  instanceMarker_ = instance.marker;
  if (startupQuit_) return 0;

  int osType = GetOsTypeCode();
  if (osType == kOsTypeWindowsXp) {
    xp_ = true;
    ndis6_ = false;
  } else if (!OsSupported(osType)) {
    ::MessageBoxW(m_hWnd, Text("TXT_OS_NOT_SUPP"), Text("TITLE_QVX"), MB_OK);
    startupQuit_ = true;
  }
  WSADATA winsock;
  winsockStarted_ = ::WSAStartup(MAKEWORD(2, 2), &winsock) == 0;
  InitComAndWmi();
  LoadSettingsAndStartEngines();

  ModifyStyle(0, WS_CLIPCHILDREN);
  if (!tabCtrl_.Create(this, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), kTabControlId)) return -1;
  PreparePeerPages();
  if (!CreateMainPages(pages_, tabCtrl_, settings_)) return -1;
  std::wstring balloonText = kProgramVersion;
  if (!tray_.Create(this, UM_TRAY_NOTIFY, Text("TITLE_QVX"), icon_, balloonText.c_str(), Text("TXT_QVX_RUNNING"))) {
    return -1;
  }
  tray_.SetDefaultMenuItem(kTrayDefaultItemPosition, true);
  return 0;
}

void CCorvaneDlg::InitComAndWmi() {
  auto* loading = new CShowMsgDlg(this);
  if (loading->CreateOnDesktop()) {
    loading->SetTitleAndClear(Text("TITLE_QVX"));
    loading->SetLine1(Text("TXT_LOADING"));
    loading->ShowWindow(SW_SHOW);
    loading->UpdateWindow();
  }
  comInitialized_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
  if (comInitialized_) {
    HRESULT security = ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                                              RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_SECURE_REFS, nullptr);
    if (FAILED(security)) std::printf("CoInitializeSecurity() failed - returned 0x%lx\n", static_cast<unsigned long>(security));
  }
  g_AdapterTable.EnumerateWmi();
  StartLinkDetection();
  linkDetectionStarted_ = true;
  loading->DestroyWindow();
  delete loading;
}

void CCorvaneDlg::LoadSettingsAndStartEngines() {
  settings_ = LoadStartupSettings(start_.folder);
  // The Driver page shows what these say, so it gets them before it is created.
  driver_.m_wan = settings_.wan;
  driver_.m_physicalName = settings_.adapterName.substr(0, 128);
  driver_.m_physicalGuid = settings_.adapterGuidName.substr(0, 64);
  for (int i = 0; i < 4; ++i) {
    driver_.m_privateIp[i] = settings_.privateIp[i];
    status_.m_privateIp[i] = settings_.privateIp[i];
    routing_.m_privateIp[i] = settings_.privateIp[i];
  }
  status_.m_connectionsAvailable = !xp_;
  StartSwivoEngines();
  watcher_ = new (std::nothrow) InstanceEventWatcher();
  if (watcher_) watcher_->Start();
}

BOOL CCorvaneDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (HMENU systemMenu = GetSystemMenu(false)) {
    ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(systemMenu, MF_STRING, kSysMenuAbout, Text("ABOUT"));
  }
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  SetWindowText(Text("TITLE_QVX"));
  if (HMENU systemMenu = GetSystemMenu(false)) {
    ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(systemMenu, MF_STRING, kSysMenuQuit, Text("MENU_QUIT_QVX"));
  }

  if (startupQuit_) {
    if (restartTimer_) KillTimer(restartTimer_);
    restartTimer_ = 0;
    closing_ = true;
    // Ends the modal run before the window is ever shown.
    EndDialog(IDCANCEL);
    return FALSE;
  }

  LoadKmSettings(start_.folder, &kmSettings_.record);
  kmSettings_.Snapshot();
  if (watcher_) watcher_->window_ = m_hWnd;
  LinkSwivoEngines();
  driver_.m_mainWindow = m_hWnd;

  LayOutTabControl();
  tabCtrl_.equalWidth = true;
  AddMainPageTabs(pages_, tabCtrl_);
  tabCtrl_.Update();
  tabCtrl_.Invalidate(false);
  CFont tabFont;
  if (tabFont.CreatePointFont(kTabFontTenthsOfPoint, L"Tahoma")) {
    tabCtrl_.SetFontNormal(tabFont);
    tabCtrl_.SetFontSelect(tabFont);
  }
  tabCtrl_.dragAllowed = true;
  tabCtrl_.notify = this;
  tabCtrl_.InstallStyle(&tabCtrl_.styleBase);
  tabCtrl_.Update();
  tabCtrl_.Invalidate(false);

  // The device's connection flows are wanted wherever the Connections dialog exists.
  channel_.Open(!xp_, m_hWnd, xp_);
  channel_.SendOpenNotice();
  pollingEnabled_ = true;
  restartTimer_ = SetTimer(kRestartTimerId, kRestartCheckMs);
  statusRefresh_ = settings_.installationPresent && !settings_.wan.Any();
  myNetworkRefresh_ = settings_.installationPresent;
  if (statusRefresh_ || myNetworkRefresh_) refreshTick_.Start(m_hWnd, &pollingEnabled_);
  if (!tabCtrl_.Tabs().empty()) tabCtrl_.SelectTab(tabCtrl_.Tabs().front());
  clipboardViewer_.Join(m_hWnd);
  return TRUE;
}

void CCorvaneDlg::LayOutTabControl() {
  HWND placeholder = GetDlgItemHandle(IDC_MAIN_TAB_PLACEHOLDER);
  CRect area;
  if (placeholder) {
    ::ShowWindow(placeholder, SW_HIDE);
    ::GetWindowRect(placeholder, &area);
    ScreenToClient(&area);
  }
  CRect client;
  GetClientRect(&client);
  area.right = client.right - kTabRightGap > area.left ? client.right - kTabRightGap : area.left;
  area.bottom = client.bottom - kTabBottomGap > area.top ? client.bottom - kTabBottomGap : area.top;
  tabCtrl_.MoveWindow(area);
}

void CCorvaneDlg::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & 0xFFF0) == kSysMenuAbout) {
    ShowAbout();
  } else if ((id & 0xFFF0) == kSysMenuQuit) {
    Quit();
  } else {
    DefWindowProc(WM_SYSCOMMAND, id, lParam);
  }
}

void CCorvaneDlg::ShowAbout() {
  CAboutDlg about(this);
  about.DoModal();
}

void CCorvaneDlg::OnQuitOrAbout(WPARAM wParam) {
  if (wParam) {
    Quit();
  } else {
    ShowAbout();
  }
}

void CCorvaneDlg::OnBringToFront() {
  SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetWindowPos(HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ShowWindow(SW_SHOWNORMAL);
  SetForegroundWindow();
}

void CCorvaneDlg::OnPeriodicRefresh() {
  if (closing_ || !pollingEnabled_) return;
  ++refreshTicks_;
  if (statusRefresh_ && status_.GetSafeHwnd()) RefreshTraffic();
  // A scan pumps messages itself, and a refill under a pressed mouse button would lose the click.
  const bool leftButtonDown = (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
  if (myNetworkRefresh_ && myNet_.GetSafeHwnd() && !myNet_.Scanning() && !leftButtonDown) myNet_.Refresh();
  refreshTick_.Rearm();
}

void CCorvaneDlg::RefreshTraffic() {
  CStsConn& connections = status_.Connections();
  channel_.BeginTick();
  status_.ZeroFigures();
  connections.RefreshConnectionTables();
  channel_.PollTraffic(&status_.m_traffic);
  // The TCP/IPv4 flows are read on every tick, the dialog open or not: only they carry the
  // inbound requests the Log dialog keeps while it is closed.
  channel_.PollTcp4(connections.Table());
  if (connections.IsOpen()) {
    channel_.PollUdp4(connections.Table());
    channel_.PollTcp6(connections.Table());
    channel_.PollUdp6(connections.Table());
  }
  if (status_.m_resetRequest) {
    status_.m_resetRequest = false;
    channel_.ResetCounters();
    status_.m_blankAverages = 1;
  }
  if (connections.Period() != kPeriodPaused && ++listRefreshCount_ >= connections.Period()) {
    listRefreshCount_ = 0;
    if (!xp_ && connections.IsOpen()) connections.RefreshLists(false);
  }
  ::LockWindowUpdate(status_.GetSafeHwnd());
  status_.m_updating = true;
  status_.UpdateTraffic(false);
  ::LockWindowUpdate(nullptr);
  status_.m_updating = false;
  if (connections.Logs().Shown()) connections.Logs().RefreshList(false);
}

void CCorvaneDlg::OnLogRecord(LPARAM lParam) {
  auto* record = reinterpret_cast<LogRecord*>(lParam);
  if (!record) return;
  if (!xp_) status_.Connections().Logs().AddEntry(*record);
  ::HeapFree(::GetProcessHeap(), 0, record);
}

void CCorvaneDlg::OnTimer(UINT_PTR id) {
  if (id == kRestartTimerId && restartTimer_) {
    for (MainPage& row : pages_) {
      if (!row.created || !row.takeRestartRequest || !row.takeRestartRequest()) continue;
      std::wstring modulePath = ModulePath();
      if (modulePath.empty()) return;
      RestartProgram(modulePath);
      Quit();
      return;
    }
  }
  Default();
}

void CCorvaneDlg::OnClose() {
  if (!closing_) {
    if (CWinAppEx* app = AfxGetApp(); app && app->m_pMainWnd) {
      app->m_pMainWnd->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    } else {
      SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    }
    return;
  }
  Default();
}

void CCorvaneDlg::OnPaint() {
  if (!::IsIconic(m_hWnd)) {
    Default();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  CRect client;
  GetClientRect(&client);
  int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  ::DrawIcon(dc.GetSafeHdc(), x, y, icon_);
}

void CCorvaneDlg::Quit() {
  if (restartTimer_) KillTimer(restartTimer_);
  restartTimer_ = 0;
  closing_ = true;
  refreshTick_.Stop();
  ::PostQuitMessage(0);
}

void CCorvaneDlg::OnDestroy() {
  CDialog::OnDestroy();
  if (instanceMarker_) ::CloseHandle(instanceMarker_);
  instanceMarker_ = nullptr;
  clipboardViewer_.Leave();
  ::OutputDebugStringW(L"Uninstall\n");
  KmRemoveHooks();
  // Each engine is told to stop and waited for before what it uses is released.
  StopAndFreeEngine(service_);
  StopAndFreeEngine(clipboardServer_);
  StopAndFreeEngine(controller_);
  StopAndFreeEngine(watcher_);
  KmDeleteLocks();
  DestroyMainPages(pages_);
  channel_.Close();
  if (winsockStarted_) ::WSACleanup();
  winsockStarted_ = false;
  if (comInitialized_) ::CoUninitialize();
  comInitialized_ = false;
  if (linkDetectionStarted_) StopLinkDetection();
  linkDetectionStarted_ = false;
}

void CCorvaneDlg::StartSwivoEngines() {
  LocalBindPlan plan;
  std::memcpy(plan.privateAddress, settings_.privateIp, 4);
  plan.adapterName = settings_.adapterName;
  plan.adapterGuid = settings_.adapterGuidName;

  service_ = new (std::nothrow) SwivoService();
  if (service_) {
    service_->bind_ = plan;
    service_->bind_.port = settings_.ports.kmPort;
    service_->folder_ = start_.folder;
    service_->Start();
    const uint8_t noAdapterAddress[4] = {};
    service_->keys_.LoadAtStartup(start_.folder, settings_.privateIp, noAdapterAddress);
  }
  clipboardServer_ = new (std::nothrow) ClipboardServer();
  if (clipboardServer_) {
    clipboardServer_->bind_ = plan;
    clipboardServer_->bind_.port = settings_.ports.clipboardPort;
    // Only the computer of the current control session reaches this clipboard.
    clipboardServer_->sessionPeer_ = [] {
      uint8_t third = 0, fourth = 0;
      bool clipSync = false;
      const int slot = KmCurrentSlot();
      if (slot == -1 || !KmSlotPeer(slot, &third, &fourth, &clipSync)) return int32_t(-1);
      return static_cast<int32_t>(third) << 8 | fourth;
    };
    clipboardServer_->Start();
  }
  controller_ = new (std::nothrow) SwivoController();
  if (controller_) {
    controller_->clipboardPort_ = settings_.ports.clipboardPort;
    controller_->folder_ = start_.folder;
    controller_->switchShown_ = [] { KmClearSwitching(); };
    controller_->Start();
  }
}

void CCorvaneDlg::LinkSwivoEngines() {
  if (service_) service_->mainWindow_ = m_hWnd;
  if (clipboardServer_) {
    clipboardServer_->settings_ = &kmSettings_;
    clipboardServer_->mainWindow_ = m_hWnd;
  }
  if (controller_) {
    controller_->parent_ = this;
    controller_->settings_ = &kmSettings_;
    if (clipboardServer_) {
      controller_->serverConnected_ = &clipboardServer_->connected_;
      controller_->serverAbort_ = clipboardServer_->abortEvent_;
    }
    controller_->mainWindow_ = m_hWnd;
  }
}

void CCorvaneDlg::MapSwivoMessages() {
  MapMessage(WM_INPUT, [](WPARAM, LPARAM lParam) {
    ForwardRawMouseInput(reinterpret_cast<HRAWINPUT>(lParam));
    return LRESULT(0);
  });
  MapMessage(UM_PEER_TABLE, [this](WPARAM wParam, LPARAM lParam) {
    if (!service_) return LRESULT(0);
    if (wParam == 0) {
      std::memset(&service_->peers_, 0, sizeof service_->peers_);
    } else if (wParam == 1 && lParam) {
      *reinterpret_cast<PeerInfoTable**>(lParam) = &service_->peers_;
    }
    return LRESULT(0);
  });
  MapMessage(UM_KM_STATE, [this](WPARAM wParam, LPARAM lParam) {
    if (controller_) controller_->NoticeState(static_cast<uint16_t>(wParam), static_cast<uint32_t>(lParam));
    return LRESULT(0);
  });
  MapMessage(UM_KM_MODE, [this](WPARAM wParam, LPARAM lParam) {
    OnKmPageState(wParam, lParam);
    return LRESULT(0);
  });
  MapMessage(UM_PASSWORD_SENT, [this](WPARAM, LPARAM lParam) {
    if (controller_) controller_->NoticeKeySent(static_cast<uint32_t>(lParam));
    return LRESULT(0);
  });
  MapMessage(UM_PASSWORD_GOT, [this](WPARAM, LPARAM lParam) {
    if (controller_) controller_->NoticeKeyReceived(static_cast<uint32_t>(lParam));
    return LRESULT(0);
  });
  MapMessage(UM_RELOAD_KM_SETTINGS, [this](WPARAM, LPARAM) {
    LoadKmSettings(start_.folder, &kmSettings_.record);
    kmSettings_.Snapshot();
    KmApplySettings(kmSettings_.record);
    return LRESULT(0);
  });
  MapMessage(UM_RELOAD_KM_KEYS, [this](WPARAM, LPARAM) {
    if (service_) {
      service_->keys_.Load(start_.folder);
      service_->keys_.TakeSnapshot();
    }
    return LRESULT(0);
  });
}

void CCorvaneDlg::OnKmPageState(WPARAM state, LPARAM source) {
  if (source == 1) {
    // The My Network page after a pairing: controller mode again, with the new slot.
    if (KmHooksInstalled()) StopSwivo();
    if (swivoPage_.GetSafeHwnd() && !swivoPage_.ControllerMode()) {
      swivoPage_.StartSwivoIfStopped();
    } else {
      StartControllerMode();
    }
    return;
  }
  if (source != 0) return;
  // A slot number shown at a controller's request is no control by that computer.
  if (state == 3) return;
  controlled_ = state != 0;
  // Taken over: this computer's own control of a peer ends first.
  if (controlled_ && KmHooksInstalled()) StopSwivo();
}

void CCorvaneDlg::StartControllerMode() {
  KmControllerLinks links;
  links.mainWindow = m_hWnd;
  links.controller = controller_;
  links.server = clipboardServer_;
  links.kmPort = settings_.ports.kmPort;
  StartSwivo(links);
}

void CCorvaneDlg::OnDrawClipboard() {
  clipboardViewer_.OnDrawClipboard();
  if (!controlled_ || !controller_) return;
  // A change can be reported twice; a sequence number already sent is not sent again.
  const DWORD sequence = ::GetClipboardSequenceNumber();
  if (sequence == lastClipboardSequence_) return;
  if (controller_->QueueClipboardSend()) lastClipboardSequence_ = sequence;
}

void CCorvaneDlg::PreparePeerPages() {
  const uint8_t* ip = settings_.privateIp;
  myNet_.scanPort_ = settings_.ports.scanPort;
  myNet_.kmPort_ = settings_.ports.kmPort;
  myNet_.adapterGuidName_ = settings_.adapterGuidName;
  myNet_.adapterName_ = settings_.adapterName;
  myNet_.folder_ = start_.folder;
  myNet_.mainWindow_ = m_hWnd;
  if (service_) {
    myNet_.passwordBuffer_ = service_->password_;
    myNet_.passwordEvent_ = service_->passwordDelivered_;
  }
  myNet_.SetPrivateIp(ip[0], ip[1], ip[2], ip[3]);
  LoadComputerList(start_.folder, &myNet_.List());
  myNet_.List().subnet = ip[2];
  myNet_.List().Snapshot();

  swivoPage_.mainWindow_ = m_hWnd;
  swivoPage_.folder_ = start_.folder;
  swivoPage_.adapterName_ = settings_.adapterName;
  swivoPage_.adapterGuidName_ = settings_.adapterGuidName;
  swivoPage_.kmPort_ = settings_.ports.kmPort;
  swivoPage_.computerList_ = &myNet_.List();
  swivoPage_.controller_ = controller_;
  swivoPage_.server_ = clipboardServer_;
  if (service_) {
    swivoPage_.passwordSent_ = service_->passwordSent_;
    swivoPage_.pairingAllowed_ = &service_->pairingAllowed_;
  }
  swivoPage_.SetLocalIp(ip);
}
