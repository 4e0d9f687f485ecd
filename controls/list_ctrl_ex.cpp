#include "controls/list_ctrl_ex.h"

LRESULT CListCtrlEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case LVM_INSERTCOLUMNW: {
      const LRESULT column = CListCtrl::WindowProc(message, wParam, lParam);
      if (column >= 0) OnColumnInserted(static_cast<int>(column));
      return column;
    }
    case LVM_DELETECOLUMN: {
      const LRESULT deleted = CListCtrl::WindowProc(message, wParam, lParam);
      if (deleted) OnColumnDeleted(static_cast<int>(wParam));
      return deleted;
    }
    case LVM_SETBKCOLOR: {
      const LRESULT set = CListCtrl::WindowProc(message, wParam, lParam);
      OnBackgroundSet(static_cast<COLORREF>(lParam));
      return set;
    }
    case LVM_SETBKIMAGEW: {
      const LRESULT set = CListCtrl::WindowProc(message, wParam, lParam);
      const auto* image = reinterpret_cast<const LVBKIMAGEW*>(lParam);
      OnBackgroundImageSet(image && (image->ulFlags & LVBKIF_SOURCE_MASK) != LVBKIF_SOURCE_NONE);
      return set;
    }
    case LVM_SETIMAGELIST: {
      const LRESULT previous = CListCtrl::WindowProc(message, wParam, lParam);
      if (wParam == LVSIL_SMALL) OnSmallImageListSet();  // the list gave the header its own list
      return previous;
    }
    case WM_ERASEBKGND: {
      // The stripe's clip exclusion must end with the erase: Wine's list paints its items on the
      // same device context, and would leave the sorted column's texts out.
      HDC hdc = reinterpret_cast<HDC>(wParam);
      const int saved = ::SaveDC(hdc);
      LRESULT erased = EraseBackground(CDC::FromHandle(hdc)) ? TRUE : CListCtrl::WindowProc(message, wParam, lParam);
      if (saved) ::RestoreDC(hdc, saved);
      return erased;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      const LRESULT done = CListCtrl::WindowProc(message, wParam, lParam);
      InvalidateEmptyArea();
      return done;
    }
    case WM_SYSCOLORCHANGE: {
      const LRESULT done = CListCtrl::WindowProc(message, wParam, lParam);
      SysColorChanged();
      return done;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT done = CListCtrl::WindowProc(message, wParam, lParam);
      const int first = GetNextItem(-1, LVNI_SELECTED);
      if (first >= 0) SetItemState(first, message == WM_SETFOCUS ? LVIS_FOCUSED : 0, LVIS_FOCUSED);
      return done;
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == GetHeaderCtrl()) return 0;  // the header's menu: none
      return ::SendMessageW(::GetParent(m_hWnd), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), lParam);
    default:
      return CListCtrl::WindowProc(message, wParam, lParam);
  }
}

bool CListCtrlEx::OnReflectedNotify(NMHDR* header, LRESULT* result) {
  switch (header->code) {
    case LVN_COLUMNCLICK:
      OnColumnClick(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
      return false;  // the dialog hears it next and sorts its rows
    case NM_CUSTOMDRAW:
      *result = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
      return true;
    default:
      return false;
  }
}

BOOL CListCtrlEx::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  switch (header->code) {
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
      InvalidateEmptyArea();
      break;
    default:
      break;
  }
  return CListCtrl::OnNotify(wParam, lParam, result);
}
