// CMgmtComp: the computer-list dialog of the My Network page ("Manage remote computer list"). On a
// copy of the page's ComputerList the user deletes computers and sets whether this computer answers
// scans; Save writes "WolCompList.txt" and ends with 0, after which the page takes the copy over
// and passes the scan-response choice on to the service.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "controls/gdip_button.h"
#include "controls/icon_button.h"
#include "controls/list_ctrl_ex.h"
#include "framework/framework.h"
#include "peers/computer_list.h"
#include "peers/row_keys.h"

class CMgmtComp : public CDialog {
 public:
  explicit CMgmtComp(CWnd* parent = nullptr);
  ~CMgmtComp() override;

  uint8_t address_[4] = {};
  std::wstring linkText_[ComputerList::kHosts];  // "Yes" or "No", as the page keeps them
  std::wstring folder_ = L".";

  ComputerList& List() { return *list_; }
  bool ScanResponse() const { return scanResponse_; }
  int SelectedHost() const { return selectedHost_; }
  CListCtrlEx& ListControl() { return listControl_; }

  void OnBnClickedSave();
  void OnBnClickedDeleteAll();
  void OnBnClickedDeleteSelected();
  void OnBnClickedHelp();
  void FillList();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnCancel() override { EndDialog(-1); }
  void OnOK() override {}

 private:
  void OnListClick(NMHDR* header);
  void OnColumnClick(NMHDR* header);
  static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM sortKey);

  std::unique_ptr<ComputerList> list_;
  RowKeyList rowKeys_;
  CListCtrlEx listControl_;
  CGdipButton deleteSelected_;
  CGdipButton deleteAll_;
  CSXButton help_;
  int32_t sortKey_ = 1;
  int selectedHost_ = -1;
  bool scanResponse_ = false;
};
