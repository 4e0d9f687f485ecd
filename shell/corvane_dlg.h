// CCorvaneDlg: the main dialog. It decides at creation whether this start goes on (single
// instance, "QUITAPP", "RESTART"), starts COM, WMI and the engines, creates the tab control with
// the pages that exist and the tray icon, and is the GUI thread's meeting point for the other
// threads' messages until Quit; its destruction stops and releases what start-up made.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "adapters/driver_page.h"
#include "controls/tab_style_base.h"
#include "framework/framework.h"
#include "monitor/config_page.h"
#include "monitor/driver_channel.h"
#include "monitor/status_page.h"
#include "peers/km_settings.h"
#include "peers/my_net_page.h"
#include "peers/swivo_page.h"
#include "shell/clipboard_viewer_link.h"
#include "shell/help_page.h"
#include "shell/main_pages.h"
#include "shell/refresh_tick.h"
#include "shell/startup_settings.h"
#include "shell/system_tray.h"
#include "shell/update_page.h"

class InstanceEventWatcher;
class SwivoService;
class ClipboardServer;
class SwivoController;

// Where a start comes from: the program folder and the command line (the process's own ones in
// the program).
struct CorvaneDlgStart {
  std::wstring folder;
  std::wstring commandLine;
  std::wstring modulePath;
};
CorvaneDlgStart ThisProcessStart();

class CCorvaneDlg : public CDialog, public TabCtrlNotify {
 public:
  static constexpr UINT kTabControlId = 3001;
  static constexpr UINT_PTR kRestartTimerId = 1;
  static constexpr UINT kSysMenuAbout = 0x10;
  static constexpr UINT kSysMenuQuit = 0x20;

  explicit CCorvaneDlg(const CorvaneDlgStart& start = ThisProcessStart());
  ~CCorvaneDlg() override;

  // Stops the timers and ends the modal run (by the quit message, which also ends any modal
  // dialog open inside it); the window is destroyed after.
  void Quit();

  // What the window tests read.
  const TabCtrlComplex& TabControl() const { return tabCtrl_; }
  CSystemTray& Tray() { return tray_; }
  const StartupSettings& Settings() const { return settings_; }
  bool StartupQuit() const { return startupQuit_; }
  bool Closing() const { return closing_; }
  uint32_t RefreshTicks() const { return refreshTicks_; }
  const ClipboardViewerLink& ClipboardViewer() const { return clipboardViewer_; }
  SwivoService* Service() const { return service_; }
  ClipboardServer* ClipboardServerEngine() const { return clipboardServer_; }
  SwivoController* Controller() const { return controller_; }
  bool Controlled() const { return controlled_; }
  KmSettingsHolder& KmSettings() { return kmSettings_; }
  CMyNet& MyNetPage() { return myNet_; }
  CMyServer& SwivoPage() { return swivoPage_; }
  CStatus& StatusPage() { return status_; }
  CConfig& RoutingPage() { return routing_; }
  DriverChannel& Channel() { return channel_; }

 protected:
  int OnCreate(CREATESTRUCTW* create) override;
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR id) override;
  void OnClose() override;
  void OnDestroy() override;
  void OnPaint() override;
  // Enter and Escape end nothing: the program ends only by Quit.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  void MapMessages();
  void InitComAndWmi();
  void LoadSettingsAndStartEngines();
  void LayOutTabControl();
  void OnSysCommand(UINT id, LPARAM lParam);
  void OnPeriodicRefresh();
  void RefreshTraffic();
  void OnLogRecord(LPARAM lParam);
  void OnBringToFront();
  void OnQuitOrAbout(WPARAM wParam);
  void ShowAbout();
  void MapSwivoMessages();
  void StartSwivoEngines();
  void LinkSwivoEngines();
  void OnKmPageState(WPARAM state, LPARAM source);
  void PreparePeerPages();
  // Controller mode on, linked to this dialog's engines (what the Swivo page's KM button does).
  void StartControllerMode();
  void OnDrawClipboard();

  CorvaneDlgStart start_;
  TabCtrlComplex tabCtrl_;
  CMyNet myNet_;
  CMyServer swivoPage_;
  CConfig routing_;
  CStatus status_;
  CDriverPage driver_;
  CUpdate update_;
  CHelpPage help_;
  std::vector<MainPage> pages_;
  bool closing_ = false;
  UINT_PTR restartTimer_ = 0;
  RefreshTick refreshTick_;
  bool xp_ = false;
  bool ndis6_ = true;
  InstanceEventWatcher* watcher_ = nullptr;
  SwivoService* service_ = nullptr;
  ClipboardServer* clipboardServer_ = nullptr;
  SwivoController* controller_ = nullptr;
  // Another computer controls this one through Swivo.
  bool controlled_ = false;
  DWORD lastClipboardSequence_ = 0;
  std::atomic<bool> pollingEnabled_{false};
  HANDLE instanceMarker_ = nullptr;
  bool startupQuit_ = false;
  StartupSettings settings_;
  bool statusRefresh_ = false;
  bool myNetworkRefresh_ = false;
  uint32_t refreshTicks_ = 0;
  // Ticks since the Connections dialog last redrew its lists.
  int listRefreshCount_ = 0;
  DriverChannel channel_;
  ClipboardViewerLink clipboardViewer_;
  KmSettingsHolder kmSettings_;
  CSystemTray tray_;
  HICON icon_ = nullptr;
  // What start-up made, so that destruction releases only that.
  bool winsockStarted_ = false;
  bool comInitialized_ = false;
  bool linkDetectionStarted_ = false;
};

// Starts the program again with the word "RESTART"; the new instance waits for this one's marker.
void RestartProgram(const std::wstring& modulePath);
