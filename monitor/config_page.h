// CConfig: the Routing tab. It lists the virtual adapters (or every IPv4 adapter) with their
// addresses and gateways, marks the one that carries the default route, and rewrites the default
// routes' metrics so that a chosen adapter's gateway carries new Internet connections. It also
// opens the address test page, the system's network connections, a help box and, for the static
// environments, the static-address editor.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "adapters/adapter_records.h"
#include "controls/icon_button.h"
#include "controls/list_ctrl_ex2.h"
#include "framework/framework.h"
#include "monitor/route_plan.h"

class CConfig : public CDialog {
 public:
  static constexpr UINT_PTR kRefreshTimerId = 1;
  static constexpr UINT kRefreshMs = 3000;

  CConfig();

  uint8_t m_privateIp[4] = {};  // set by the main dialog before the page is created
  // How long the route-change notice stays; the tests shorten it.
  DWORD m_noticeMs = 3000;

  // What the tests read.
  int NextGatewayIndex() const { return nextGateway_; }
  int RowCount() const { return rowCount_; }
  bool StaticShared() const { return staticShared_; }
  bool StaticOnly() const { return staticOnly_; }
  bool HasPppoeMac() const { return hasPppoeMac_; }

 protected:
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void OnTimer(UINT_PTR id) override;

 private:
  void FillAdapterList(bool showAll, bool insert);
  void ApplyRow(int row);
  void ApplyRowAndNotify(int row, bool moveNextGateway);
  void ShowRouteChangeNotice();
  void OnNMDblclkAdapterList(NMHDR* header);
  void OnBnClickedShowIp();
  void OnBnClickedShowAllAdapters();
  void OnBnClickedNextGateway();
  void OnBnClickedLoadBalancingHelp();
  void OnBnClickedNetworkConfig();
  void OnBnClickedEditStaticIp();
  bool ShowAllTicked() const;

  std::vector<IpAdapterRecord> records_;
  std::vector<RouteAdapter> routeAdapters_;
  UINT_PTR timer_ = 0;
  int nextGateway_ = 0;
  int rowCount_ = 0;
  bool staticShared_ = false;
  bool staticOnly_ = false;
  bool hasPppoeMac_ = false;
  uint8_t pppoeMac_[6] = {};
  CListCtrlEx2 list_;
  CSXButton helpButton_;
};
