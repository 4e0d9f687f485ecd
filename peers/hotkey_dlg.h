// CMgmtKm: the hotkey dialog of the Swivo page: this computer's two hotkey slots (delete one or
// all, clipboard sharing on or off) and the switch key; Save writes "KmCompList.txt" and ends
// with 0, after which the page saves the switch mode.
#pragma once
#include <memory>
#include <string>

#include "controls/gdip_button.h"
#include "controls/list_ctrl_ex.h"
#include "framework/framework.h"
#include "peers/computer_list.h"
#include "peers/km_settings.h"

class CMgmtKm : public CDialog {
 public:
  explicit CMgmtKm(CWnd* parent = nullptr);

  std::wstring folder_ = L".";
  ComputerList& List() { return *list_; }
  KmSettingsRecord& Record() { return holder_.record; }
  int32_t SwitchMode() const { return switchMode_; }
  int SelectedSlot() const { return selectedSlot_; }

  // The slot a row shows ("1" or "2" in its first column), or -1.
  void SelectSlotOfRow(int row);
  void OnBnClickedDelete();
  void OnBnClickedClipSync();
  void OnBnClickedDeleteAll();
  void OnBnClickedSave();
  void FillList();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnCancel() override { EndDialog(-1); }
  void OnOK() override {}

 private:
  void SetRowButtonsLook(bool disabled);

  KmSettingsHolder holder_;
  std::unique_ptr<ComputerList> list_;
  CListCtrlEx listControl_;
  CGdipButton delete_;
  CGdipButton deleteAll_;
  CGdipButton clipSync_;
  int selectedSlot_ = -1;
  int32_t switchMode_ = 0;
};
