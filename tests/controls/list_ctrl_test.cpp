// The report lists as real windows: the sorted list's header and tint through real clicks on its
// header, and the row-record list's cell walk and bring-into-view.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "controls/list_cell_view.h"
#include "controls/list_ctrl_ex.h"
#include "controls/list_ctrl_ex2.h"
#include "controls/sort_state.h"
#include "tests/controls/window_test_support.h"

using controls_test::HostWindow;
using controls_test::PostMouse;
using controls_test::Pump;

namespace {

HWND MakeListView(HWND parent, const RECT& r, DWORD exStyle = 0) {
  HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS,
                                r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                                reinterpret_cast<HMENU>(1016), ::GetModuleHandleW(nullptr), nullptr);
  if (exStyle) ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, exStyle);
  return list;
}

void Fill(CListCtrl& list, const std::vector<int>& widths, int rows) {
  for (size_t c = 0; c < widths.size(); ++c)
    list.InsertColumn(static_cast<int>(c), (L"Column " + std::to_wstring(c)).c_str(), LVCFMT_LEFT, widths[c]);
  for (int r = 0; r < rows; ++r) {
    list.InsertItem(r, (L"Row " + std::to_wstring(r)).c_str());
    for (size_t c = 1; c < widths.size(); ++c)
      list.SetItemText(r, static_cast<int>(c), (L"Cell " + std::to_wstring(r) + L"." + std::to_wstring(c)).c_str());
  }
}

// The header item's sort look: "up", "down" (either kind of arrow) or "" for none.
std::string ArrowOf(const CListCtrl& list, int column) {
  HDITEMW item = {};
  item.mask = HDI_FORMAT | HDI_IMAGE;
  ::SendMessageW(list.GetHeaderCtrl(), HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
  if (item.fmt & HDF_SORTUP) return "up";
  if (item.fmt & HDF_SORTDOWN) return "down";
  if ((item.fmt & HDF_IMAGE) && (item.fmt & HDF_BITMAP_ON_RIGHT)) return item.iImage == 0 ? "up" : "down";
  return "";
}

std::string Arrows(const CListCtrl& list) {
  std::string text;
  const int count = static_cast<int>(::SendMessageW(list.GetHeaderCtrl(), HDM_GETITEMCOUNT, 0, 0));
  for (int c = 0; c < count; ++c) text += "[" + ArrowOf(list, c) + "]";
  return text;
}

void ClickHeader(const CListCtrl& list, int column) {
  RECT item = {};
  HWND header = list.GetHeaderCtrl();
  ::SendMessageW(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
  const CPoint at((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  PostMouse(header, WM_LBUTTONDOWN, at, MK_LBUTTON);
  PostMouse(header, WM_LBUTTONUP, at, 0);
  Pump();
}

COLORREF CellColour(const CListCtrl& list, const controls_test::Pixels& pixels, int row, int column) {
  RECT cell = {};
  list.GetSubItemRect(row, column, LVIR_LABEL, &cell);
  return pixels.At(cell.right - 4, (cell.top + cell.bottom) / 2);  // right of the text
}

}  // namespace

TEST(SortedListWindow, HeaderClicksStepTheSortKeyAndItsArrow) {
  HostWindow host;
  CListCtrlEx list;
  ASSERT_TRUE(list.SubclassWindow(MakeListView(host, CRect(10, 10, 410, 210))));
  Fill(list, {100, 100, 100}, 5);
  list.ColorSortColumn(true);
  list.InitSortArrows();
  struct Step { int click; int key; const char* arrows; };
  const Step steps[] = {
      {-1, 1, "[up][][]"},   // as initialised
      {0, -1, "[down][][]"},
      {0, 1, "[up][][]"},
      {2, 3, "[][][up]"},
      {1, 2, "[][up][]"},
      {1, -2, "[][down][]"},
  };
  for (const auto& s : steps) {
    host.columnClicks.clear();
    if (s.click >= 0) ClickHeader(list, s.click);
    EXPECT_EQ(list.SortKey(), s.key) << "after a click on " << s.click;
    EXPECT_EQ(Arrows(list), s.arrows) << "after a click on " << s.click;
    if (s.click >= 0) {
      EXPECT_EQ(host.columnClicks, std::vector<int>{s.click}) << "the dialog sorts next";
    }
  }
  controls_test::SaveToGallery(list, "list_ctrl_ex_sorted_descending");

  // Columns inserted and deleted around the sorted one.
  list.InsertColumn(0, L"New", LVCFMT_LEFT, 60);
  EXPECT_EQ(list.SortKey(), -3);
  EXPECT_EQ(Arrows(list), "[][][down][]");
  list.DeleteColumn(0);
  EXPECT_EQ(list.SortKey(), -2);
  EXPECT_EQ(Arrows(list), "[][down][]");
  list.DeleteColumn(1);
  EXPECT_EQ(list.SortKey(), 0);
  EXPECT_EQ(Arrows(list), "[][]");
}

TEST(SortedListWindow, SortedColumnIsTinted) {
  HostWindow host;
  CListCtrlEx list;
  ASSERT_TRUE(list.SubclassWindow(MakeListView(host, CRect(10, 10, 410, 210), LVS_EX_FULLROWSELECT)));
  Fill(list, {100, 100, 100}, 5);
  list.ColorSortColumn(true);
  list.InitSortArrows();
  struct Case { COLORREF background; COLORREF tint; const char* gallery; };
  const Case cases[] = {{RGB(255, 255, 255), RGB(247, 247, 247), "list_ctrl_ex_tinted_light"},
                        {RGB(0, 0, 128), RGB(0, 0, 140), "list_ctrl_ex_tinted_dark"}};
  for (const auto& c : cases) {
    list.SetBkColor(c.background);
    ClickHeader(list, 1);
    ClickHeader(list, 1);
    Pump();
    EXPECT_EQ(list.TintColour(), c.tint);
    const auto pixels = controls_test::Capture(list);
    EXPECT_EQ(CellColour(list, pixels, 2, 1), c.tint);
    EXPECT_EQ(CellColour(list, pixels, 2, 2), c.background);
    ClickHeader(list, 2);
    const auto moved = controls_test::Capture(list);
    EXPECT_EQ(CellColour(list, moved, 2, 2), c.tint);
    EXPECT_EQ(CellColour(list, moved, 2, 1), c.background);
    controls_test::SaveToGallery(list, c.gallery);
  }
  list.ColorSortColumn(false);
  Pump();
  const auto plain = controls_test::Capture(list);
  EXPECT_EQ(CellColour(list, plain, 2, 2), RGB(0, 0, 128));
}

// Sets the system window colour for the whole session and puts the old one back at the end.
class SystemWindowColour {
 public:
  SystemWindowColour() : saved_(::GetSysColor(COLOR_WINDOW)) {}
  ~SystemWindowColour() { Set(saved_); }
  void Set(COLORREF colour) {
    const INT element = COLOR_WINDOW;
    ::SetSysColors(1, &element, &colour);
  }

 private:
  COLORREF saved_;
};

TEST(SortedListWindow, BackgroundFollowsEverySystemColourChangeUntilTheCallerSetsOne) {
  HostWindow host;
  CListCtrlEx list;
  ASSERT_TRUE(list.SubclassWindow(MakeListView(host, CRect(10, 10, 410, 210), LVS_EX_FULLROWSELECT)));
  Fill(list, {100, 100}, 3);
  list.ColorSortColumn(true);
  list.InitSortArrows();
  SystemWindowColour system;
  struct Step {
    const char* what;
    COLORREF systemColour;        // the new system window colour, sent as WM_SYSCOLORCHANGE
    COLORREF callersBackground;   // CLR_NONE: the caller sets none at this step
    COLORREF expected;
  };
  const Step steps[] = {
      {"a first change is followed", RGB(250, 250, 230), CLR_NONE, RGB(250, 250, 230)},
      {"and a second one too", RGB(200, 220, 255), CLR_NONE, RGB(200, 220, 255)},
      {"and a third", RGB(255, 255, 255), CLR_NONE, RGB(255, 255, 255)},
      {"the caller's own colour", RGB(255, 255, 255), RGB(0, 0, 128), RGB(0, 0, 128)},
      {"stays through a change", RGB(240, 240, 200), CLR_NONE, RGB(0, 0, 128)},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    if (s.callersBackground != CLR_NONE) list.SetBkColor(s.callersBackground);
    system.Set(s.systemColour);
    list.SendMessage(WM_SYSCOLORCHANGE);
    Pump();
    EXPECT_EQ(list.GetBkColor(), s.expected);
    EXPECT_EQ(list.TintColour(), sort_state::TintFor(s.expected));
    const auto pixels = controls_test::Capture(list);
    EXPECT_EQ(CellColour(list, pixels, 1, 1), s.expected);
  }
}

TEST(SortedListWindow, ItemDataIsTheCallersAndSortingUsesIt) {
  HostWindow host;
  CListCtrlEx list;
  ASSERT_TRUE(list.SubclassWindow(MakeListView(host, CRect(10, 10, 410, 210))));
  Fill(list, {100}, 4);
  for (int r = 0; r < 4; ++r) list.SetItemData(r, static_cast<DWORD_PTR>(10 * (4 - r)));
  EXPECT_EQ(list.GetItemData(1), 30u);
  LVFINDINFOW find = {};
  find.flags = LVFI_PARAM;
  find.lParam = 20;
  EXPECT_EQ(list.SendMessage(LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 2);
  ASSERT_TRUE(list.SortItems([](LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(a - b); }, 0));
  EXPECT_EQ(list.GetItemText(0, 0), L"Row 3");
  EXPECT_EQ(list.GetItemData(0), 10u);
}

TEST(RecordListWindow, SubclassingHeaderClicksAndRecords) {
  HostWindow host;
  CListCtrlEx2 list;
  ASSERT_TRUE(list.SubclassWindow(MakeListView(host, CRect(10, 10, 410, 210), LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES)));
  EXPECT_EQ(list.GetExtendedStyle(), static_cast<DWORD>(LVS_EX_FULLROWSELECT));
  EXPECT_TRUE(list.GetStyle() & LVS_REPORT);
  Fill(list, {100, 100}, 3);
  for (int r = 0; r < 3; ++r) list.SetItemData(r, 100 + r);
  list.SetItemData(1, 7);  // the row's record is reused
  EXPECT_EQ(list.RecordCount(), 3u);
  EXPECT_EQ(list.GetItemValue(1), 7u);

  ClickHeader(list, 1);
  EXPECT_TRUE(host.columnClicks.empty());
  EXPECT_EQ(list.GetItemText(0, 0), L"Row 0");

  // A refill: records freed, rows deleted, rows and records made again.
  list.DeleteAllItemData();
  list.DeleteAllItems();
  Fill(list, {}, 0);
  for (int r = 0; r < 4; ++r) {
    list.InsertItem(r, L"Again");
    list.SetItemData(r, r);
  }
  EXPECT_EQ(list.RecordCount(), 4u);
  controls_test::SaveToGallery(list, "list_ctrl_ex2_rows");
}

TEST(RecordListWindow, EachRowFindsItsOwnRecordThroughInsertsDeletesAndSorts) {
  HostWindow host;
  CListCtrlEx2 list;
  ASSERT_TRUE(list.SubclassWindow(MakeListView(host, CRect(10, 10, 410, 210))));
  Fill(list, {100}, 0);
  std::map<std::wstring, unsigned long long> expected;  // by the row's text
  auto add = [&](int row, const std::wstring& text, unsigned long long value) {
    list.InsertItem(row, text.c_str());
    list.SetItemData(row, value);
    expected[text] = value;
  };
  auto check = [&](const char* what) {
    SCOPED_TRACE(what);
    ASSERT_EQ(static_cast<size_t>(list.GetItemCount()), expected.size());
    for (int row = 0; row < list.GetItemCount(); ++row)
      EXPECT_EQ(list.GetItemValue(row), expected[list.GetItemText(row, 0)]) << "row " << row;
  };
  for (int r = 0; r < 256; ++r) add(r, L"Row " + std::to_wstring(r), 1000 + r);
  EXPECT_EQ(list.RecordCount(), 256u);
  check("a 256-row fill");

  add(0, L"Top", 7);
  add(100, L"Middle", 8);
  check("rows inserted at the top and in the middle");

  list.DeleteItem(3);
  expected.erase(L"Row 2");
  list.DeleteItem(0);
  expected.erase(L"Top");
  check("rows deleted");

  ASSERT_TRUE(list.SortItems([](LPARAM a, LPARAM b, LPARAM) {
    const auto* left = reinterpret_cast<const CListCtrlEx2::ItemData*>(a);
    const auto* right = reinterpret_cast<const CListCtrlEx2::ItemData*>(b);
    return left->value < right->value ? 1 : left->value > right->value ? -1 : 0;  // descending
  }, 0));
  EXPECT_EQ(list.GetItemText(0, 0), L"Row 255");
  check("sorted by value, descending");

  list.SetItemData(10, 5);  // the row's own record again
  expected[list.GetItemText(10, 0)] = 5;
  const size_t records = list.RecordCount();
  check("a value changed in place");
  EXPECT_EQ(list.RecordCount(), records);

  list.CListCtrl::SetItemData(20, 12345);  // item data that is not a record of the list
  expected[list.GetItemText(20, 0)] = 0;
  check("foreign item data is no record");
  list.SetItemData(20, 9);
  expected[list.GetItemText(20, 0)] = 9;
  EXPECT_EQ(list.RecordCount(), records + 1);
  check("and gets one when set");

  list.DeleteAllItemData();  // records freed, rows still there: nothing reads a freed record
  EXPECT_EQ(list.RecordCount(), 0u);
  for (auto& entry : expected) entry.second = 0;
  check("records freed before the rows");
}

class CellViewWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(list.SubclassWindow(MakeListView(host, CRect(10, 10, 260, 160))));
    Fill(list, {100, 300, 80, 60}, 12);
    list.GetClientRect(&client);
  }
  RECT Cell(int row, int column) const {
    RECT cell = {};
    list.GetSubItemRect(row, column, LVIR_LABEL, &cell);
    return cell;
  }
  void ScrollTo(int x) {
    list.SendMessage(LVM_SCROLL, static_cast<WPARAM>(x - ::GetScrollPos(list, SB_HORZ)), 0);
    Pump(0);
  }
  HostWindow host;
  CListCtrlEx2 list;
  CRect client;
};

TEST_F(CellViewWindow, BringIntoViewTable) {
  struct Case { const char* what; int scrolledTo; int column; const char* edge; };
  const Case cases[] = {
      {"a cell in view stays", 0, 0, "unchanged"},
      {"a wide cell already at the left edge stays", 100, 1, "unchanged"},
      {"a cell wider than the client comes in by its left edge", 0, 1, "left at 0"},
      {"also when it started left of the client", 150, 1, "left at 0"},
      {"a narrow cell beyond the right edge comes in by its right edge", 0, 2, "right at client"},
      {"a cell left of the client comes in by its left edge", 300, 0, "left at 0"},
  };
  for (const auto& c : cases) {
    ScrollTo(c.scrolledTo);
    const RECT before = Cell(5, c.column);
    BringCellIntoView(list, 5, c.column);
    Pump(0);
    const RECT cell = Cell(5, c.column);
    if (std::string(c.edge) == "unchanged") {
      EXPECT_EQ(cell.left, before.left) << c.what;
    } else if (std::string(c.edge) == "left at 0") {
      EXPECT_EQ(cell.left, 0) << c.what << " " << cell.left << ".." << cell.right;
    } else {
      EXPECT_EQ(cell.right, client.Width()) << c.what << " " << cell.left << ".." << cell.right;
    }
  }
}

TEST_F(CellViewWindow, TabWalksEveryCellAndShiftTabWalksBack) {
  list.SetFocus();
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_SHIFT] = 0;
  keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
  ::PostMessageW(list, WM_KEYDOWN, VK_TAB, 0);
  Pump();
  // The walk ends on the last cell: the last row in view and the last column at the right edge.
  const RECT last = Cell(11, 3);
  EXPECT_EQ(last.right, client.Width());
  EXPECT_GE(list.GetTopIndex() + list.GetCountPerPage(), 11);
  EXPECT_GT(list.GetTopIndex(), 0);
  controls_test::SaveToGallery(list, "list_ctrl_ex2_after_tab");

  keys[VK_SHIFT] = 0x80;
  ::SetKeyboardState(keys);
  ::PostMessageW(list, WM_KEYDOWN, VK_TAB, 0);
  Pump();
  keys[VK_SHIFT] = 0;
  ::SetKeyboardState(keys);
  EXPECT_EQ(Cell(0, 0).left, 0);
  EXPECT_EQ(list.GetTopIndex(), 0);
}

TEST_F(CellViewWindow, DoubleClickBringsTheCellInAndStillReachesThePage) {
  NMITEMACTIVATE activate = {};
  activate.hdr.hwndFrom = list;
  activate.hdr.idFrom = 1016;
  activate.hdr.code = NM_DBLCLK;
  activate.iItem = 10;
  activate.iSubItem = 2;
  host.SendMessage(WM_NOTIFY, 1016, reinterpret_cast<LPARAM>(&activate));
  Pump(0);
  EXPECT_EQ(Cell(10, 2).right, client.Width());
  ASSERT_FALSE(host.notifyCodes.empty());
  EXPECT_EQ(host.notifyCodes.back(), static_cast<UINT>(NM_DBLCLK));
}
