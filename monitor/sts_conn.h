// CStsConn: the Connections dialog. Which applications hold TCP and UDP connections and endpoints
// over IPv4 and IPv6, and the bytes each application and connection moved in the last tick. The
// object lives inside the Status page for the whole run: the tick rebuilds its table whether the
// window is open or not, and adds the driver's flow bytes while it is open.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "adapters/adapter_enum.h"
#include "adapters/adapter_records.h"
#include "controls/list_ctrl_ex.h"
#include "framework/framework.h"
#include "monitor/conn_table.h"
#include "monitor/logs_dlg.h"

enum UpdatePeriod { kPeriodPaused = 0, kPeriodHigh = 1, kPeriodMid = 2, kPeriodLow = 3 };

class CStsConn : public CDialog {
 public:
  explicit CStsConn(CWnd* parent = nullptr);

  // Reads the product's adapters (with the PPPoE pseudo record) when the window opens; a seam for
  // the tests.
  bool (*readAdapters)(IpAdapterRecord* records, uint32_t* count, int filter) = EnumAdaptersWithPppoe;
  ~CStsConn() override;

  void SetParentWindow(CWnd* parent) { m_pParentWnd = parent; }
  void SetPrivateIp(const uint8_t octets[4]);

  // The tick's work: the system's tables into the table, then the driver's flow bytes into it.
  void RefreshConnectionTables();
  ConnTable* Table() { return &table_; }
  // Redraws both lists; the tick calls it once a period.
  void RefreshLists(bool force);
  bool IsOpen() const { return open_; }
  int Period() const { return period_; }
  CLogs& Logs() { return logs_; }

  // The process names the application rows show; a seam for the tests (GetProcessName by default).
  std::string (*processName)(uint32_t pid) = nullptr;
  // The name of a remote IPv4 address by reverse look-up, "" when none.
  std::string LookUpHostName(const uint8_t wire[4]);

 protected:
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;

 private:
  void ReadAdapters();
  void FillAppList();
  void FillConnectionList();
  void RedrawAppList(bool force);
  void RedrawConnectionList(bool force);
  void FreeRowKeys(CListCtrlEx& list);
  void InsertRows(CListCtrlEx& list, const std::vector<RowFields>& rows);
  void ApplyFilter();
  void OnItemChangedAppList(NMHDR* header);
  void OnColumnClickAppList(NMHDR* header);
  void OnColumnClickConnectionList(NMHDR* header);
  void OnSelChangeAdapter();
  void OnSelChangeProtocol();
  void OnSelChangeUpdatePeriod();
  void OnSelChangeUnit();
  void OnBnClickedShowHostName();
  void OnBnClickedAdjustWidth();
  void OnBnClickedLog();
  void ShowSelectedName(const std::wstring& pidText);

  ConnTable table_;
  std::vector<IpAdapterRecord> adapters_;
  std::vector<ConnAdapter> connAdapters_;
  int adapterFilter_ = kAllFilter;
  int protocolFilter_ = kAllFilter;
  int unit_ = 1;
  int period_ = kPeriodHigh;
  bool hostNames_ = false;
  int selectedPid_ = -1;
  int appSortCode_ = 1;
  int connectionSortCode_ = 1;
  bool updating_ = false;
  bool open_ = false;
  uint8_t privateIp_[4] = {};
  // Made afresh for every window.
  std::unique_ptr<CListCtrlEx> appList_, connectionList_;
  RECT appListPlace_ = {}, connectionListPlace_ = {};
  SIZE appListClient_ = {}, connectionListClient_ = {};
  int nameColumnWidth_ = 0;
  bool narrow_ = false;
  std::vector<uint8_t> lookupBuffer_;
  CLogs logs_;
};
