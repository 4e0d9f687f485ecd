#include "framework/list_ctrl.h"

#include <vector>

int CListCtrl::InsertColumn(int column, const wchar_t* heading, int format, int width, int subItem) {
  LVCOLUMNW info = {};
  info.mask = LVCF_FMT | LVCF_TEXT;
  info.fmt = format;
  info.pszText = const_cast<wchar_t*>(heading);
  if (width != -1) {
    info.mask |= LVCF_WIDTH;
    info.cx = width;
  }
  if (subItem != -1) {
    info.mask |= LVCF_SUBITEM;
    info.iSubItem = subItem;
  }
  return InsertColumn(column, &info);
}

int CListCtrl::GetColumnCount() const {
  HWND header = GetHeaderCtrl();
  return header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CListCtrl::InsertItem(int index, const wchar_t* text) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(text);
  return InsertItem(&item);
}

bool CListCtrl::SetItemText(int item, int subItem, const wchar_t* text) {
  LVITEMW info = {};
  info.iSubItem = subItem;
  info.pszText = const_cast<wchar_t*>(text);
  return SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)) != 0;
}

std::wstring CListCtrl::GetItemText(int item, int subItem) const {
  // The control copies at most the buffer's size; grow until the text fits.
  std::vector<wchar_t> buffer(256);
  for (;;) {
    LVITEMW info = {};
    info.iSubItem = subItem;
    info.pszText = buffer.data();
    info.cchTextMax = static_cast<int>(buffer.size());
    int copied = static_cast<int>(SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
    if (copied < static_cast<int>(buffer.size()) - 1 || buffer.size() >= 65536) {
      return std::wstring(info.pszText, static_cast<size_t>(copied > 0 ? copied : 0));
    }
    buffer.resize(buffer.size() * 4);
  }
}

bool CListCtrl::SetItemData(int item, DWORD_PTR data) {
  LVITEMW info = {};
  info.mask = LVIF_PARAM;
  info.iItem = item;
  info.lParam = static_cast<LPARAM>(data);
  return SetItem(&info);
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
  LVITEMW info = {};
  info.mask = LVIF_PARAM;
  info.iItem = item;
  return GetItem(&info) ? static_cast<DWORD_PTR>(info.lParam) : 0;
}

bool CListCtrl::SetItemState(int item, UINT state, UINT mask) {
  LVITEMW info = {};
  info.state = state;
  info.stateMask = mask;
  return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)) != 0;
}

bool CListCtrl::GetItemRect(int item, RECT* rect, int code) const {
  rect->left = code;
  return SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)) != 0;
}

bool CListCtrl::GetSubItemRect(int item, int subItem, int code, RECT* rect) const {
  rect->top = subItem;
  rect->left = code;
  return SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)) != 0;
}
