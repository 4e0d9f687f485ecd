// Where the tab strip, the tabs and the shown page go: the arithmetic of the tab control's layout,
// kept apart from the window so that every case can be checked without one. No platform header:
// it also builds natively, under the sanitizers.
#pragma once
#include <cstddef>
#include <vector>

namespace tab_layout {

// A rectangle and a point in client pixels, edges as the platform's own (right and bottom
// exclusive); the tab control converts at its edge.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};
struct Point {
  int x = 0;
  int y = 0;
};
bool Contains(const Rect& rect, Point point);

// Four margins, as the tab control's managers hand them out: left, top, right, bottom.
struct Margins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

Rect Shrink(const Rect& rect, const Margins& margins);

// The three rectangles of one layout, in client coordinates.
struct Areas {
  Rect control{};  // the tab strip
  Rect tabs{};     // inside the strip, where the tabs lie
  Rect windows{};  // where the selected tab's window is shown
};

// borderWidth is 0 when the border is off; without tabs the strip is empty and the windows area is
// the whole client area inside the border.
Areas LayoutAreas(const Rect& client, int borderWidth, bool hasTabs, int stripHeight,
                  const Margins& ctrlAreaPadding);

// Height of the strip for a caption of textHeight pixels (tabs carry no images and no buttons).
int StripHeight(int textHeight, const Margins& tabPadding, const Margins& ctrlAreaPadding);

// Full width of every tab from what each caption needs; with equal width every tab gets the widest need.
std::vector<int> FullWidths(const std::vector<int>& needs, int minWidth, bool equalWidth);

// Places the tabs left to right in the tabs area; tabs that do not fit give up width, wide ones most.
std::vector<Rect> PlaceTabs(const Rect& tabsArea, const std::vector<int>& fullWidths,
                            const Margins& tabHorzMargin, int minWidth, bool equalWidth);

// The default hit test: index of the first tab containing the point, -1 outside the tabs area.
int HitTest(const Rect& tabsArea, const std::vector<Rect>& tabRects, Point point);

// A tab cut narrower than its caption needs shows its caption as a tooltip.
bool IsShortened(const Rect& tabRect, const Rect& tabsArea, int fullWidth);

// A press becomes a drag once the pointer leaves the 6 by 6 square around the press point.
bool LeavesDragSquare(Point press, Point point);

enum class DragMove { None, BeforeHovered, AfterHovered };

// Whether the dragged tab moves next to the hovered tab: the pointer must reach the part of the
// hovered tab, as wide as the dragged tab, on the side the dragged tab comes from.
DragMove DecideDragMove(int pressedIndex, int hoveredIndex, const Rect& hoveredRect,
                        int pressedWidth, Point point);

// Moves items[from] to stand directly before (or after) items[target]; false when it already does.
template <class T>
bool MoveNextTo(std::vector<T>& items, size_t from, size_t target, bool after) {
  if (from >= items.size() || target >= items.size() || from == target) return false;
  size_t insertAt = after ? target + 1 : target;
  if (insertAt == from || insertAt == from + 1) return false;
  T moved = items[from];
  items.insert(items.begin() + static_cast<std::ptrdiff_t>(insertAt), moved);
  size_t oldIndex = from < insertAt ? from : from + 1;
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(oldIndex));
  return true;
}

}  // namespace tab_layout
