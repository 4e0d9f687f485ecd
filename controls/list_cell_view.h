// Brings one cell of a report list into view: the row by the list's own scrolling, the column by
// one sideways scroll.
#pragma once
#include "framework/list_ctrl.h"

void BringCellIntoView(CListCtrl& list, int row, int column);
