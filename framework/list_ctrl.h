// CListCtrl: the system's list-view control (report view in every page), through its messages.
#pragma once
#include <string>
#include "framework/wnd.h"

class CListCtrl : public CWnd {
 public:
  bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_LISTVIEWW, L"", style, rect, parent, id);
  }

  DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  DWORD SetExtendedStyle(DWORD style) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
  }
  HWND GetHeaderCtrl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }

  int InsertColumn(int column, const wchar_t* heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
  int InsertColumn(int column, const LVCOLUMNW* info) {
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(info)));
  }
  bool DeleteColumn(int column) { return SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)) != 0; }
  bool GetColumn(int column, LVCOLUMNW* info) const {
    return SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(info)) != 0;
  }
  bool SetColumn(int column, const LVCOLUMNW* info) {
    return SendMessage(LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(info)) != 0;
  }
  int GetColumnWidth(int column) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
  bool SetColumnWidth(int column, int width) { return SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width) != 0; }
  int GetColumnCount() const;

  int InsertItem(const LVITEMW* item) {
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(item)));
  }
  int InsertItem(int index, const wchar_t* text);
  bool SetItem(const LVITEMW* item) { return SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(item)) != 0; }
  bool GetItem(LVITEMW* item) const { return SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item)) != 0; }
  bool SetItemText(int item, int subItem, const wchar_t* text);
  std::wstring GetItemText(int item, int subItem) const;
  bool DeleteItem(int item) { return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item)) != 0; }
  bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
  int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
  void SetItemCount(int count) { SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count)); }
  bool SetItemData(int item, DWORD_PTR data);
  DWORD_PTR GetItemData(int item) const;
  bool SetItemState(int item, UINT state, UINT mask);
  UINT GetItemState(int item, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
  }
  int GetNextItem(int start, int flags) const {
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), flags));
  }
  UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
  int GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
  bool EnsureVisible(int item, bool partialOk) {
    return SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOk) != 0;
  }
  bool GetItemRect(int item, RECT* rect, int code) const;
  bool GetSubItemRect(int item, int subItem, int code, RECT* rect) const;
  int HitTest(LVHITTESTINFO* info) const { return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info))); }
  int SubItemHitTest(LVHITTESTINFO* info) const {
    return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info)));
  }
  int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
  int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
  bool RedrawItems(int first, int last) { return SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last) != 0; }
  bool Update(int item) { return SendMessage(LVM_UPDATE, static_cast<WPARAM>(item)) != 0; }
  bool SortItems(PFNLVCOMPARE compare, DWORD_PTR data) {
    return SendMessage(LVM_SORTITEMS, data, reinterpret_cast<LPARAM>(compare)) != 0;
  }
  HWND EditLabel(int item) { return reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELW, static_cast<WPARAM>(item))); }
  HWND GetEditControl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL)); }
  HIMAGELIST SetImageList(HIMAGELIST list, int which) {
    return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(list)));
  }
  HIMAGELIST GetImageList(int which) const { return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(which))); }
  COLORREF GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
  bool SetBkColor(COLORREF color) { return SendMessage(LVM_SETBKCOLOR, 0, color) != 0; }
  COLORREF GetTextColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)); }
  bool SetTextColor(COLORREF color) { return SendMessage(LVM_SETTEXTCOLOR, 0, color) != 0; }
  COLORREF GetTextBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR)); }
  bool SetTextBkColor(COLORREF color) { return SendMessage(LVM_SETTEXTBKCOLOR, 0, color) != 0; }
  void SetSelectedColumn(int column) { SendMessage(LVM_SETSELECTEDCOLUMN, static_cast<WPARAM>(column)); }
};
