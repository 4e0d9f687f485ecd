// MgmtKmSrv: the allowed-hosts dialog of the Swivo page: the controllers this computer gave a
// pairing key to ("KmRandPswdLocal.txt"); delete one or all, Save writes the table and ends with 0.
#pragma once
#include <string>

#include "controls/gdip_button.h"
#include "controls/list_ctrl_ex.h"
#include "framework/framework.h"
#include "peers/km_key_table.h"

struct ComputerList;

class MgmtKmSrv : public CDialog {
 public:
  explicit MgmtKmSrv(CWnd* parent = nullptr);

  std::wstring folder_ = L".";
  ComputerList* computerList_ = nullptr;
  KmKeyTable& Table() { return table_; }
  int SelectedHost() const { return selectedHost_; }

  void SelectHostOfRow(int row);
  void OnBnClickedDelete();
  void OnBnClickedDeleteAll();
  void OnBnClickedSave();
  void FillList();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnCancel() override { EndDialog(-1); }
  void OnOK() override {}

 private:
  KmKeyTable table_;
  CListCtrlEx listControl_;
  CGdipButton delete_;
  CGdipButton deleteAll_;
  int selectedHost_ = -1;
};
