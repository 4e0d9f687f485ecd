#include "controls/list_cell_view.h"

#include "controls/cell_scroll.h"

void BringCellIntoView(CListCtrl& list, int row, int column) {
  list.EnsureVisible(row, false);
  RECT cell = {};
  if (!list.GetSubItemRect(row, column, LVIR_LABEL, &cell)) return;
  CRect client;
  list.GetClientRect(&client);
  const int dx = cell_scroll::HorizontalScrollFor(cell.left, cell.right, client.Width());
  if (dx != 0) list.SendMessage(LVM_SCROLL, static_cast<WPARAM>(dx), 0);
}
