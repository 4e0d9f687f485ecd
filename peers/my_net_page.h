// CMyNet: the My Network tab page. It finds the other computers of the private network (a
// broadcast scan, or without a private address an ARP sweep and unicast requests), keeps them in
// its ComputerList, shows their link and Wake-on-LAN states refreshed at every refresh tick, and
// opens the remote-computer and computer-list dialogs for them. Replies are received by the UDP
// service thread into the PeerInfoTable, which the page reads through the address the main dialog
// gives it (UM_PEER_TABLE).
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/gdip_button.h"
#include "controls/list_ctrl_ex.h"
#include "framework/framework.h"
#include "peers/alive_probe.h"
#include "peers/arp_sweep.h"
#include "peers/computer_list.h"
#include "peers/host_status.h"
#include "peers/lan_sender.h"
#include "peers/peer_info_table.h"
#include "peers/row_keys.h"

class CShowMsgDlg;

constexpr UINT UM_SCAN_PROGRESS = WM_USER + 1;

class CMyNet : public CDialog {
 public:
  CMyNet();
  ~CMyNet() override;

  // Start-up values, set by the main dialog before the window exists.
  uint16_t scanPort_ = 33333;
  uint16_t kmPort_ = 33334;
  std::wstring adapterGuidName_;  // "DrvInstPhyNic.txt": the GUID name and the adapter table's name
  std::wstring adapterName_;
  std::wstring folder_;           // the program folder
  HWND mainWindow_ = nullptr;
  uint8_t* passwordBuffer_ = nullptr;  // the UDP service's delivered pairing key and its event
  HANDLE passwordEvent_ = nullptr;
  // The tick's alive broadcast; the window tests put a recorder here.
  std::function<void(const LanPeer&)> sendLinkQuery_ = [](const LanPeer& to) { SendAliveQuery(to, true); };

  // Stores the private address; 0.0.0.0 is no-virtual-adapter mode, which looks the physical
  // adapter's own address up.
  void SetPrivateIp(uint8_t octet1, uint8_t octet2, uint8_t octet3, uint8_t octet4);
  void RefreshAdapterIp();
  // The refresh tick's work in virtual-adapter and in no-virtual-adapter mode.
  void RefreshStatus();
  void RefreshStatusNoVnic();
  void Refresh() { noVirtualAdapter_ ? RefreshStatusNoVnic() : RefreshStatus(); }

  bool Scanning() const { return scanning_; }
  bool NoVirtualAdapter() const { return noVirtualAdapter_; }
  const uint8_t* PhysicalIp() const { return physicalIp_; }
  ComputerList& List() { return *list_; }
  const HostStatus& Status() const { return status_; }
  CListCtrlEx& ListControl() { return listControl_; }
  int32_t SortKey() const { return sortKey_; }

  // The remote-computer dialog for host, then the wake-up or the Swivo restart it asked for.
  void OpenRemoteComputer(int host, const std::wstring& ipText, bool linkUp);
  // Sends the magic packet to the private network (the physical one without virtual adapters).
  bool SendWakeOnLan(const uint8_t mac[6]);
  // The MAC a wake-up goes to: the scan's when it has one, else the remembered one.
  void WakeUpMac(int host, uint8_t mac[6]) const;

  void OnBnClickedScan();
  void OnBnClickedClearWol();
  void OnBnClickedConnect();
  void OnBnClickedManage();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;

 private:
  void MapMessages();
  void BroadcastScan(uint16_t port, uint8_t net);
  void ArpScan();
  void MergeScanReplies();
  void FillList(bool firstFill, const std::wstring& selectText);
  void Redraw(int32_t* delayCounter);
  void UpdateWolTexts();
  void SendLinkQuery(uint16_t port, uint8_t net);
  int OwnHost() const;
  uint8_t Net() const;
  void OnListClick(NMHDR* header);
  void OnColumnClick(NMHDR* header);
  std::wstring SelectedIpText() const;
  std::wstring RowIpText(int row) const;
  void RaiseWindow();
  static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM sortKey);
  static DWORD WINAPI ScanProgressThread(void* page);
  static DWORD WINAPI ArpScanThread(void* page);
  static void CALLBACK ScanProgressTimer(void* page, BOOLEAN);

  CListCtrlEx listControl_;
  CGdipButton scan_;
  CGdipButton clearWol_;
  CGdipButton manage_;
  CGdipButton connect_;
  HWND toolTip_ = nullptr;
  RowKeyList rowKeys_;
  ArpSweepTable arpTable_;
  uint8_t privateIp_[4] = {};
  bool noVirtualAdapter_ = false;
  uint8_t physicalIp_[4] = {};
  PeerInfoTable* peers_ = nullptr;
  HostStatus status_;
  std::wstring wolText_[HostStatus::kHosts];
  CShowMsgDlg* scanBox_ = nullptr;
  bool scanning_ = false;
  int32_t redrawDelay_ = 1;
  int32_t redrawDelayNoVnic_ = 1;
  int32_t manageCountdown_ = 2;
  int32_t sortKey_ = 1;
  std::unique_ptr<ComputerList> list_;
  int selectedRow_ = -1;
  CShowMsgDlg* arpBox_ = nullptr;
  AliveProbeRecord* probe_ = nullptr;
};

// The texts a list shows for an OS code: "Windows Server 2008 R2" for 1, else the display name.
std::wstring OsNameText(int16_t code);
// "192.168.subnet.host".
std::wstring PrivateIpText(uint8_t subnet, int host);
// The fourth number of an IP text that splits into four parts at "."; fallback otherwise.
int HostOfIpText(const std::wstring& ipText, int fallback);
