#include "controls/list_ctrl_ex2.h"

#include "controls/list_cell_view.h"

CListCtrlEx2::~CListCtrlEx2() {
  DeleteAllItemData();
}

CListCtrlEx2::ItemData* CListCtrlEx2::RecordOf(int row) const {
  auto* record = reinterpret_cast<ItemData*>(CListCtrl::GetItemData(row));
  return records_.count(record) ? record : nullptr;
}

void CListCtrlEx2::SetItemData(int row, unsigned long long value) {
  if (ItemData* record = RecordOf(row)) {
    record->value = value;
    return;
  }
  auto* record = new ItemData(value);
  records_.insert(record);
  CListCtrl::SetItemData(row, reinterpret_cast<DWORD_PTR>(record));
}

unsigned long long CListCtrlEx2::GetItemValue(int row) const {
  const ItemData* record = RecordOf(row);
  return record ? record->value : 0;
}

void CListCtrlEx2::DeleteAllItemData() {
  for (ItemData* record : records_) delete record;
  records_.clear();
}

void CListCtrlEx2::PreSubclassWindow() {
  textBackground_ = GetTextBkColor();
  text_ = GetTextColor();
  CListCtrl::PreSubclassWindow();
  SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);  // empty mask: exactly this
  ModifyStyle(0, LVS_REPORT);
}

LRESULT CListCtrlEx2::OnCustomDraw(NMLVCUSTOMDRAW* draw) const {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      bool set = false;
      if (textBackground_ != CLR_NONE) {
        draw->clrTextBk = textBackground_;
        set = true;
      }
      if (text_ != CLR_NONE) {
        draw->clrText = text_;
        set = true;
      }
      return set ? CDRF_NEWFONT : CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

bool CListCtrlEx2::OnReflectedNotify(NMHDR* header, LRESULT* result) {
  switch (header->code) {
    case NM_CUSTOMDRAW:
      *result = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
      return true;
    case LVN_COLUMNCLICK:
      *result = 0;  // nothing sorts and the page never hears of it
      return true;
    case NM_DBLCLK: {
      const auto* activate = reinterpret_cast<NMITEMACTIVATE*>(header);
      if (activate->iItem != -1 && activate->iSubItem != -1)
        BringCellIntoView(*this, activate->iItem, activate->iSubItem);
      return false;  // the page's own double-click handler runs next
    }
    default:
      return false;
  }
}

void CListCtrlEx2::WalkCells(bool backwards) {
  const int rows = GetItemCount();
  const int columns = static_cast<int>(::SendMessageW(GetHeaderCtrl(), HDM_GETITEMCOUNT, 0, 0));
  const int cells = rows * columns;
  for (int i = 0; i < cells; ++i) {
    const int cell = backwards ? cells - 1 - i : i;
    BringCellIntoView(*this, cell / columns, cell % columns);
  }
}

BOOL CListCtrlEx2::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->hwnd == m_hWnd && msg->wParam == VK_TAB &&
      (::GetKeyState(VK_CONTROL) & 0x8000) == 0 && GetItemCount() > 0) {
    WalkCells((::GetKeyState(VK_SHIFT) & 0x8000) != 0);
  }
  return CListCtrl::PreTranslateMessage(msg);  // the key then takes its ordinary course
}
