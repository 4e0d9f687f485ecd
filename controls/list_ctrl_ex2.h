// CListCtrlEx2: the report list of the Routing and Status pages. Report view with full-row
// selection, one owned record per row as its item data, cells in the list's own colours, and
// column-header clicks kept to itself.
#pragma once
#include <unordered_set>

#include "framework/list_ctrl.h"

class CListCtrlEx2 : public CListCtrl {
 public:
  // One row's record; the row's item data holds its address.
  class ItemData {
   public:
    explicit ItemData(unsigned long long v) : value(v) {}
    virtual ~ItemData() = default;
    unsigned long long value;
  };

  CListCtrlEx2() = default;
  ~CListCtrlEx2() override;

  // Stores the value in the row's record, making the record when the row has none yet.
  void SetItemData(int row, unsigned long long value);
  // The caller's value of the row, 0 when it has no record.
  unsigned long long GetItemValue(int row) const;
  // Frees every record; the pages call it right before they delete all rows.
  void DeleteAllItemData();
  size_t RecordCount() const { return records_.size(); }

 protected:
  void PreSubclassWindow() override;
  bool OnReflectedNotify(NMHDR* header, LRESULT* result) override;
  BOOL PreTranslateMessage(MSG* msg) override;

 private:
  // The row's record: its item data when that is one of ours (a caller may have set other item
  // data, or the record may be freed already), else null. A set lookup, so a refill stays linear.
  ItemData* RecordOf(int row) const;
  LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw) const;
  void WalkCells(bool backwards);

  std::unordered_set<ItemData*> records_;  // every record made and not yet freed, owned
  COLORREF textBackground_ = CLR_NONE;
  COLORREF text_ = CLR_NONE;
};
