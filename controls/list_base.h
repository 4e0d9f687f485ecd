// CListBase: the engine behind CListCtrlEx. It keeps the sort state in step with the header (an
// arrow on the sorted column) and tints the sorted column's cells; the rows and their texts stay
// in the list control's own storage, and the owning dialog sorts with its own comparison.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/dc.h"
#include "framework/list_ctrl.h"

class CListBase {
 public:
  CListBase();
  ~CListBase();
  CListBase(const CListBase&) = delete;
  CListBase& operator=(const CListBase&) = delete;

  // Sorting on, column 0 ascending, the arrow shown.
  void InitSortArrows();
  // The tinted sorted column on or off; on needs more than 256 colours.
  void ColorSortColumn(bool on);
  void UpdateSortArrows();

  int SortKey() const { return sortKey_; }
  bool IsTinted() const { return tinted_; }
  COLORREF TintColour() const { return tintColour_; }
  // Whether the header draws its own arrows (common controls 6) or shows ours from the image list.
  static bool ThemedArrows();

 protected:
  void AttachList(CListCtrl* list) { list_ = list; }

  // What CListCtrlEx hands over.
  void OnColumnClick(int column);
  void OnColumnInserted(int column);
  void OnColumnDeleted(int column);
  void OnBackgroundSet(COLORREF colour);
  void OnBackgroundImageSet(bool set) { backgroundImage_ = set; }
  void OnSmallImageListSet();
  LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);
  bool EraseBackground(CDC* dc);  // true when it erased
  void InvalidateEmptyArea();
  void SysColorChanged();

 private:
  bool SortedColumnVisible() const;
  COLORREF Background() const;
  void BuildArrowImages();
  void MarkSelectedColumn();
  CRect SortedColumnStripe() const;

  CListCtrl* list_ = nullptr;
  bool sortingEnabled_ = false;
  bool tinted_ = false;
  COLORREF tintColour_ = CLR_NONE;
  int sortKey_ = 0;
  HIMAGELIST arrows_ = nullptr;
  int upImage_ = -1;
  int downImage_ = -1;
  bool applicationBackground_ = false;  // the caller chose the background: system changes keep it
  bool followingSystemColour_ = false;  // SysColorChanged is setting the background itself
  bool backgroundImage_ = false;
};
