// CListCtrlEx: the report list of the My Network page and its dialogs: a list control joined to
// CListBase for the header's sort arrow and the tinted sorted column. The owning dialog sorts the
// rows itself (LVM_SORTITEMS) when it hears the column click after the list.
#pragma once
#include "controls/list_base.h"
#include "framework/list_ctrl.h"

class CListCtrlEx : public CListCtrl, public CListBase {
 public:
  CListCtrlEx() { AttachList(this); }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnReflectedNotify(NMHDR* header, LRESULT* result) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
