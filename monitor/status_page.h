// CStatus: the Status tab. For every virtual adapter of the product and for the sums "All" and
// "Internet", the bytes per second sent and received in the last tick and their averages since
// the selection last changed, and the selected row's traffic on a scrolling graph (sent plus
// received, or one line each). The driver channel writes the rows' figures; the main dialog's
// tick then calls UpdateTraffic.
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "adapters/adapter_enum.h"
#include "adapters/adapter_records.h"
#include "controls/list_ctrl_ex2.h"
#include "controls/push_graph.h"
#include "framework/framework.h"
#include "monitor/driver_channel.h"
#include "monitor/sts_conn.h"

constexpr int kGraphAll = 255;
constexpr int kGraphInternet = 254;

class CStatus : public CDialog {
 public:
  CStatus();

  // Reads the product's adapters (with the PPPoE pseudo record) when the window opens; a seam for
  // the tests.
  bool (*readAdapters)(IpAdapterRecord* records, uint32_t* count, int filter) = EnumAdaptersWithPppoe;

  // Set by the main dialog before the page is created.
  uint8_t m_privateIp[4] = {};
  bool m_connectionsAvailable = true;

  // What the tick works with: the rows' MACs and figures (the driver channel writes them), the
  // reset handshake and the updating flag.
  TrafficTarget m_traffic;
  bool m_resetRequest = false;
  int m_blankAverages = 0;
  bool m_updating = false;
  // Zeroes every row's figures before a poll.
  void ZeroFigures();

  void UpdateTraffic(bool force);
  CStsConn& Connections() { return connections_; }
  int GraphSource() const { return graphSource_; }
  const std::vector<IpAdapterRecord>& Adapters() const { return adapters_; }
  const std::deque<uint64_t>& SentHistory() const { return sentHistory_; }
  const C2DPushGraph& TotalGraph() const { return totalGraph_; }

 protected:
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;

 private:
  bool IsPrivate(size_t row) const;
  bool Listed(size_t row) const;
  std::wstring Figure(uint64_t value) const;
  void WriteRow(int listRow, const AdapterFigures& figures);
  void FillAdapterRows();
  void ShowSelection(int row);
  void ResetGraphs();
  void InitGraphs();
  void OnItemChangedAdapterList(NMHDR* header);
  void OnBnClickedTxRx();
  void OnSelChangeFilter();
  void OnSelChangeUnit();
  void OnBnClickedConnection();

  C2DPushGraph totalGraph_, txRxGraph_;
  std::vector<IpAdapterRecord> adapters_;
  std::deque<uint64_t> sentHistory_, receivedHistory_;
  size_t historyLength_ = 0;
  uint64_t scaleUnit_ = 1024;
  int graphSource_ = kGraphAll;
  bool totalMode_ = true;
  int filter_ = 0;
  int unit_ = 1;
  CListCtrlEx2 list_;
  std::wstring privateText_;
  CStsConn connections_;
};
