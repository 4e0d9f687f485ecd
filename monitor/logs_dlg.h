// CLogs: the Log dialog. It lists the inbound remote-desktop and file-sharing requests that the
// flow parse reported, oldest first. The ring lives with the object (inside the Connections
// dialog, for the whole run), so entries keep arriving while the window is closed.
#pragma once
#include <memory>

#include "controls/list_ctrl_ex.h"
#include "framework/framework.h"
#include "monitor/log_ring.h"

class CLogs : public CDialog {
 public:
  explicit CLogs(CWnd* parent = nullptr);

  void SetParentWindow(CWnd* parent) { m_pParentWnd = parent; }
  // Stamps the record with the local time; the same service from the same address within the
  // same minute is kept once.
  void AddEntry(const LogRecord& record);
  // Rebuilds the list from the ring, keeping the top row; not while the left button is down
  // unless forced.
  void RefreshList(bool force);
  bool Shown() const { return shown_; }
  const LogRing& Ring() const { return ring_; }

 protected:
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;

 private:
  void OnBnClickedClear();

  LogRing ring_;
  std::unique_ptr<CListCtrlEx> list_;  // made afresh for every window
  bool shown_ = false;
};
