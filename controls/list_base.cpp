#include "controls/list_base.h"

#include <shlwapi.h>

#include "controls/sort_state.h"
#include "resources/program_images.h"

namespace {

// Common controls 6 and up draw sort arrows themselves; asked once per process.
bool AskThemedArrows() {
  HMODULE comctl = ::GetModuleHandleW(L"comctl32.dll");
  if (!comctl) comctl = ::LoadLibraryW(L"comctl32.dll");
  auto getVersion = comctl ? reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(::GetProcAddress(comctl, "DllGetVersion"))) : nullptr;
  if (!getVersion) return false;
  DLLVERSIONINFO info = {};
  info.cbSize = sizeof(info);  // the 20-byte record
  return SUCCEEDED(getVersion(&info)) && info.dwMajorVersion >= 6;
}

HWND HeaderOf(const CListCtrl* list) { return list->GetHeaderCtrl(); }

int HeaderCount(const CListCtrl* list) {
  return static_cast<int>(::SendMessageW(HeaderOf(list), HDM_GETITEMCOUNT, 0, 0));
}

}  // namespace

bool CListBase::ThemedArrows() {
  static const bool themed = AskThemedArrows();
  return themed;
}

CListBase::CListBase() { ThemedArrows(); }

CListBase::~CListBase() {
  if (arrows_) ImageList_Destroy(arrows_);
}

void CListBase::BuildArrowImages() {
  if (arrows_) ImageList_Destroy(arrows_);
  arrows_ = ImageList_Create(9, 5, ILC_COLOR24 | ILC_MASK, 2, 0);
  upImage_ = downImage_ = -1;
  if (!arrows_) return;
  COLORMAP toGrey = {RGB(0, 0, 0), ::GetSysColor(COLOR_GRAYTEXT)};
  HINSTANCE program = ::GetModuleHandleW(nullptr);
  for (int id : {IDB_SORT_ASCENDING, IDB_SORT_DESCENDING}) {
    HBITMAP bitmap = ::CreateMappedBitmap(program, id, 0, &toGrey, 1);
    const int index = bitmap ? ImageList_AddMasked(arrows_, bitmap, RGB(255, 255, 255)) : -1;
    if (bitmap) ::DeleteObject(bitmap);
    (id == IDB_SORT_ASCENDING ? upImage_ : downImage_) = index;
  }
}

void CListBase::InitSortArrows() {
  sortingEnabled_ = true;
  sortKey_ = 1;
  if (!ThemedArrows()) {
    BuildArrowImages();
    ::SendMessageW(HeaderOf(list_), HDM_SETIMAGELIST, HDSIL_NORMAL, reinterpret_cast<LPARAM>(arrows_));
  }
  UpdateSortArrows();
}

void CListBase::UpdateSortArrows() {
  HWND header = HeaderOf(list_);
  const int count = HeaderCount(list_);
  for (int column = 0; column < count; ++column) {
    HDITEMW item = {};
    item.mask = HDI_FORMAT;
    if (!::SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item))) continue;
    const auto look = sort_state::HeaderLookFor(item.fmt, sortKey_, column, sortingEnabled_, ThemedArrows(),
                                                upImage_, downImage_);
    item.fmt = look.format;
    if (look.image >= 0) {
      item.mask |= HDI_IMAGE;
      item.iImage = look.image;
    }
    ::SendMessageW(header, HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&item));
  }
}

void CListBase::MarkSelectedColumn() {
  if (!ThemedArrows()) return;
  list_->SetSelectedColumn(tinted_ && sortKey_ != 0 ? sort_state::SortedColumn(sortKey_) : -1);
}

void CListBase::OnColumnClick(int column) {
  const bool newColumn = sort_state::SortedColumn(sortKey_) != column;
  sortKey_ = sort_state::KeyAfterColumnClick(sortKey_, column);
  UpdateSortArrows();
  if (tinted_ && newColumn) MarkSelectedColumn();
  list_->Invalidate(false);  // the tint moves with the key
}

void CListBase::OnColumnInserted(int column) { sortKey_ = sort_state::KeyAfterInsertColumn(sortKey_, column); }

void CListBase::OnColumnDeleted(int column) {
  sortKey_ = sort_state::KeyAfterDeleteColumn(sortKey_, column);
  UpdateSortArrows();
}

COLORREF CListBase::Background() const { return list_->GetBkColor(); }

void CListBase::ColorSortColumn(bool on) {
  if (on == tinted_) return;
  if (on) {
    CClientDC dc(list_);
    if (dc.GetDeviceCaps(BITSPIXEL) * dc.GetDeviceCaps(PLANES) <= 8) return;
    tintColour_ = sort_state::TintFor(Background());
  }
  tinted_ = on;
  MarkSelectedColumn();
  list_->Invalidate(true);
}

void CListBase::OnBackgroundSet(COLORREF) {
  // Our own following of the system colour comes back through here too; it is not the caller's.
  if (!followingSystemColour_) applicationBackground_ = true;
  if (tinted_) {
    ColorSortColumn(false);
    ColorSortColumn(true);
  }
}

void CListBase::OnSmallImageListSet() {
  if (arrows_) ::SendMessageW(HeaderOf(list_), HDM_SETIMAGELIST, HDSIL_NORMAL, reinterpret_cast<LPARAM>(arrows_));
}

bool CListBase::SortedColumnVisible() const {
  const int column = sort_state::SortedColumn(sortKey_);
  return column >= 0 && column < HeaderCount(list_);
}

LRESULT CListBase::OnCustomDraw(NMLVCUSTOMDRAW* draw) {
  const DWORD stage = draw->nmcd.dwDrawStage;
  if (stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  const bool plainBackgroundImage =
      backgroundImage_ && (list_->GetExtendedStyle() & LVS_EX_DOUBLEBUFFER) == 0;
  if (stage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW | (plainBackgroundImage ? CDRF_NOTIFYPOSTPAINT : 0);
  const int column = draw->iSubItem;
  const bool inTint = tinted_ && sortKey_ != 0 && SortedColumnVisible() && column == sort_state::SortedColumn(sortKey_);
  if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
    // Set for every cell: the colours carry over to the next cell otherwise.
    draw->clrTextBk = inTint ? tintColour_ : Background();
    return CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT;
  }
  if (stage == (CDDS_ITEMPOSTPAINT | CDDS_SUBITEM)) {
    // The gap left of the cell's text is painted as the cell is.
    const int row = static_cast<int>(draw->nmcd.dwItemSpec);
    RECT gap = {};
    if (!list_->GetSubItemRect(row, column, LVIR_ICON, &gap)) return CDRF_DODEFAULT;
    if (column > 0) gap.right = gap.left + 4;
    if (gap.right <= gap.left) return CDRF_DODEFAULT;
    const bool selected = (list_->GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    const bool fullRow = (list_->GetExtendedStyle() & LVS_EX_FULLROWSELECT) != 0;
    COLORREF fill = inTint ? tintColour_ : Background();
    if (selected && fullRow && column > 0) {
      if (::GetFocus() == list_->GetSafeHwnd()) {
        fill = ::GetSysColor(COLOR_HIGHLIGHT);
      } else if (list_->GetStyle() & LVS_SHOWSELALWAYS) {
        fill = ::GetSysColor(COLOR_BTNFACE);
      }
    }
    CBrush brush(fill);
    ::FillRect(draw->nmcd.hdc, &gap, brush);
    return CDRF_DODEFAULT;
  }
  return CDRF_DODEFAULT;
}

CRect CListBase::SortedColumnStripe() const {
  RECT item = {};
  HWND header = HeaderOf(list_);
  ::SendMessageW(header, HDM_GETITEMRECT, sort_state::SortedColumn(sortKey_), reinterpret_cast<LPARAM>(&item));
  ::MapWindowPoints(header, list_->GetSafeHwnd(), reinterpret_cast<POINT*>(&item), 2);
  CRect client;
  list_->GetClientRect(&client);
  return CRect(item.left, item.bottom, item.right, client.bottom);
}

bool CListBase::EraseBackground(CDC* dc) {
  CRect client;
  list_->GetClientRect(&client);
  if (HeaderCount(list_) == 0 && list_->GetItemCount() == 0) {
    HBRUSH current = static_cast<HBRUSH>(::GetCurrentObject(*dc, OBJ_BRUSH));
    dc->FillRect(client, current);
    return true;
  }
  if (ThemedArrows() || !tinted_ || !SortedColumnVisible()) return false;
  const CRect stripe = SortedColumnStripe();
  dc->FillSolidRect(stripe, tintColour_);
  dc->ExcludeClipRect(stripe);
  return false;  // the rest is erased as usual
}

void CListBase::InvalidateEmptyArea() {
  if (!tinted_ || !SortedColumnVisible()) return;
  CRect client;
  list_->GetClientRect(&client);
  RECT headerRect = {};
  ::GetWindowRect(HeaderOf(list_), &headerRect);
  ::MapWindowPoints(nullptr, list_->GetSafeHwnd(), reinterpret_cast<POINT*>(&headerRect), 2);
  const int below = headerRect.bottom;
  const int count = list_->GetItemCount();
  if (count == 0) {
    CRect area(client.left, below, client.right, client.bottom);
    list_->InvalidateRect(&area, true);
    return;
  }
  RECT first = {};
  RECT last = {};
  const int top = list_->GetTopIndex();
  const int bottom = std::min(count - 1, top + list_->GetCountPerPage());
  list_->GetItemRect(top, &first, LVIR_BOUNDS);
  list_->GetItemRect(bottom, &last, LVIR_BOUNDS);
  if (first.top > below) {
    CRect gap(client.left, below, client.right, first.top);
    list_->InvalidateRect(&gap, true);
  }
  if (last.bottom < client.bottom) {
    CRect gap(client.left, last.bottom, client.right, client.bottom);
    list_->InvalidateRect(&gap, true);
  }
}

void CListBase::SysColorChanged() {
  if (!applicationBackground_) {
    followingSystemColour_ = true;
    list_->SetBkColor(::GetSysColor(COLOR_WINDOW));
    followingSystemColour_ = false;
  }
  if (!ThemedArrows() && arrows_) {
    BuildArrowImages();
    ::SendMessageW(HeaderOf(list_), HDM_SETIMAGELIST, HDSIL_NORMAL, reinterpret_cast<LPARAM>(arrows_));
  }
  UpdateSortArrows();
  if (tinted_) {
    ColorSortColumn(false);
    ColorSortColumn(true);
  }
}
