#include "controls/tab_layout.h"

#include <gtest/gtest.h>

#include "tests/controls/rect_text.h"

#include <string>
#include <vector>

using tab_layout::Margins;
using tab_layout::Point;
using tab_layout::Rect;

namespace {

bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

std::vector<int> Widths(const std::vector<Rect>& rects) {
  std::vector<int> widths;
  for (const Rect& r : rects) widths.push_back(r.right - r.left);
  return widths;
}

struct PlaceCase {
  const char* name;
  int areaWidth;
  std::vector<int> full;
  Margins margin;
  bool equal;
  std::vector<int> expected;
};

}  // namespace

TEST(TabLayout, PlacesTabsByTheTable) {
  const int kMin = 10;
  const std::vector<PlaceCase> cases = {
      {"all fit and keep their width", 300, {100, 40, 40}, {}, false, {100, 40, 40}},
      {"available equal to total keeps every width", 181, {100, 40, 40}, {}, false, {100, 40, 40}},
      {"one pixel short shortens the wide tab", 180, {100, 40, 40}, {}, false, {99, 40, 40}},
      {"wide tab gives up width, last absorbs the rest", 151, {100, 40, 40}, {}, false, {70, 40, 40}},
      {"less than a pixel a tab gives the minimum", 2, {100, 40, 40}, {}, false, {10, 10, 10}},
      {"equal width with overflow", 91, {60, 60, 60}, {}, true, {30, 30, 30}},
      {"equal width never below the minimum", 10, {60, 60, 60}, {}, true, {10, 10, 10}},
      {"margins are left outside each tab", 300, {50, 50}, {2, 0, 3, 0}, false, {50, 50}},
      {"margins count against the average", 101, {80, 40}, {2, 0, 3, 0}, false, {50, 40}},
  };
  for (const auto& c : cases) {
    const Rect area{0, 5, c.areaWidth, 25};
    const auto rects = tab_layout::PlaceTabs(area, c.full, c.margin, kMin, c.equal);
    EXPECT_EQ(Widths(rects), c.expected) << c.name;
    for (const Rect& r : rects) {
      EXPECT_EQ(r.top, 5) << c.name;
      EXPECT_EQ(r.bottom, 25) << c.name;
    }
  }
}

TEST(TabLayout, TabsFollowEachOtherWithTheirMargins) {
  const auto rects = tab_layout::PlaceTabs(Rect{3, 0, 300, 20}, {50, 60}, Margins{2, 0, 3, 0}, 10, false);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].left, 5);
  EXPECT_EQ(rects[0].right, 55);
  EXPECT_EQ(rects[1].left, 60);
  EXPECT_EQ(rects[1].right, 120);
}

TEST(TabLayout, FullWidthsFromNeeds) {
  EXPECT_EQ(tab_layout::FullWidths({30, 5, 70}, 10, false), (std::vector<int>{30, 10, 70}));
  EXPECT_EQ(tab_layout::FullWidths({30, 5, 70}, 10, true), (std::vector<int>{70, 70, 70}));
  EXPECT_TRUE(tab_layout::FullWidths({}, 10, true).empty());
}

TEST(TabLayout, AreasWithAndWithoutTabs) {
  const Rect client{0, 0, 200, 100};
  const Margins padding{3, 1, 3, 2};
  const auto empty = tab_layout::LayoutAreas(client, 1, false, 22, padding);
  EXPECT_TRUE(IsEmpty(empty.control));
  EXPECT_TRUE(IsEmpty(empty.tabs));
  EXPECT_EQ(RectText(empty.windows), RectText(Rect{1, 1, 199, 99}));

  const auto full = tab_layout::LayoutAreas(client, 1, true, 22, padding);
  EXPECT_EQ(RectText(full.control), RectText(Rect{1, 1, 199, 23}));
  EXPECT_EQ(RectText(full.tabs), RectText(Rect{4, 2, 196, 21}));
  EXPECT_EQ(RectText(full.windows), RectText(Rect{1, 23, 199, 99}));

  const auto noBorder = tab_layout::LayoutAreas(client, 0, true, 22, padding);
  EXPECT_EQ(noBorder.control.left, 0);
  EXPECT_EQ(noBorder.windows.bottom, 100);

  // A client shorter than the strip: the windows area is empty, never upside down.
  const auto low = tab_layout::LayoutAreas(Rect{0, 0, 200, 10}, 1, true, 22, padding);
  EXPECT_EQ(low.windows.top, 23);
  EXPECT_EQ(low.windows.bottom, 23);
}

TEST(TabLayout, StripIsTextPlusNinePixelsWithTheDefaults) {
  EXPECT_EQ(tab_layout::StripHeight(13, Margins{5, 3, 5, 3}, Margins{3, 1, 3, 2}), 22);
}

TEST(TabLayout, HitTestAndShortenedTabs) {
  const Rect tabs{4, 2, 196, 21};
  const std::vector<Rect> rects = {{4, 2, 60, 21}, {60, 2, 100, 21}};
  EXPECT_EQ(tab_layout::HitTest(tabs, rects, Point{10, 10}), 0);
  EXPECT_EQ(tab_layout::HitTest(tabs, rects, Point{60, 10}), 1);
  EXPECT_EQ(tab_layout::HitTest(tabs, rects, Point{150, 10}), -1);
  EXPECT_EQ(tab_layout::HitTest(tabs, rects, Point{10, 1}), -1);

  EXPECT_TRUE(tab_layout::IsShortened(Rect{4, 2, 60, 21}, tabs, 80));
  EXPECT_FALSE(tab_layout::IsShortened(Rect{4, 2, 60, 21}, tabs, 56));
  EXPECT_TRUE(tab_layout::IsShortened(Rect{180, 2, 230, 21}, tabs, 50));  // cut by the area's edge
  EXPECT_FALSE(tab_layout::IsShortened(Rect{200, 2, 230, 21}, tabs, 50));  // wholly outside
}

TEST(TabLayout, DragSquareIsSixBySix) {
  const Point press{50, 10};
  struct Case { Point at; bool leaves; };
  const Case cases[] = {{{50, 10}, false}, {{47, 7}, false}, {{52, 12}, false},
                        {{46, 10}, true},  {{53, 10}, true}, {{50, 13}, true}, {{50, 6}, true}};
  for (const auto& c : cases)
    EXPECT_EQ(tab_layout::LeavesDragSquare(press, c.at), c.leaves) << c.at.x << "," << c.at.y;
}

TEST(TabLayout, DragMovesOnlyInTheNeighboursNearPart) {
  const Rect hovered{100, 2, 160, 21};
  using tab_layout::DragMove;
  struct Case { int pressed, hovered; Point at; DragMove move; };
  const Case cases[] = {
      {2, 1, {100, 10}, DragMove::BeforeHovered},  // entering from the right, at its left edge
      {2, 1, {139, 10}, DragMove::BeforeHovered},
      {2, 1, {140, 10}, DragMove::None},           // beyond the dragged tab's width of 40
      {0, 1, {159, 10}, DragMove::AfterHovered},
      {0, 1, {120, 10}, DragMove::AfterHovered},
      {0, 1, {119, 10}, DragMove::None},
      {1, 1, {130, 10}, DragMove::None},           // over itself
      {2, -1, {130, 10}, DragMove::None},
  };
  for (const auto& c : cases)
    EXPECT_EQ(tab_layout::DecideDragMove(c.pressed, c.hovered, hovered, 40, c.at), c.move)
        << c.pressed << "->" << c.hovered << " at " << c.at.x;
}

TEST(TabLayout, MoveNextToKeepsEveryOtherTabInOrder) {
  struct Case { size_t from, target; bool after; std::string expected; bool moved; };
  const Case cases[] = {
      {2, 0, false, "CAB", true}, {0, 2, true, "BCA", true}, {1, 0, false, "BAC", true},
      {0, 1, false, "ABC", false}, {1, 0, true, "ABC", false}, {0, 0, false, "ABC", false},
      {3, 0, false, "ABC", false},
  };
  for (const auto& c : cases) {
    std::vector<char> tabs = {'A', 'B', 'C'};
    EXPECT_EQ(tab_layout::MoveNextTo(tabs, c.from, c.target, c.after), c.moved);
    EXPECT_EQ(std::string(tabs.begin(), tabs.end()), c.expected) << c.from << "->" << c.target;
  }
}
