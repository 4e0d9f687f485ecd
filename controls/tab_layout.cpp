#include "controls/tab_layout.h"

#include <algorithm>

namespace tab_layout {

bool Contains(const Rect& rect, Point point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

Rect Shrink(const Rect& rect, const Margins& margins) {
  return Rect{rect.left + margins.left, rect.top + margins.top, rect.right - margins.right,
              rect.bottom - margins.bottom};
}

Areas LayoutAreas(const Rect& client, int borderWidth, bool hasTabs, int stripHeight,
                  const Margins& ctrlAreaPadding) {
  Areas areas;
  areas.windows = Shrink(client, Margins{borderWidth, borderWidth, borderWidth, borderWidth});
  if (!hasTabs) return areas;
  areas.control = areas.windows;
  areas.control.bottom = areas.control.top + stripHeight;
  areas.windows.top = areas.control.bottom;
  areas.windows.bottom = std::max(areas.windows.bottom, areas.windows.top);
  areas.tabs = Shrink(areas.control, ctrlAreaPadding);
  return areas;
}

int StripHeight(int textHeight, const Margins& tabPadding, const Margins& ctrlAreaPadding) {
  return tabPadding.top + std::max(textHeight, 0) + tabPadding.bottom + ctrlAreaPadding.top +
         ctrlAreaPadding.bottom;
}

std::vector<int> FullWidths(const std::vector<int>& needs, int minWidth, bool equalWidth) {
  int widest = needs.empty() ? 0 : *std::max_element(needs.begin(), needs.end());
  std::vector<int> widths;
  widths.reserve(needs.size());
  for (int need : needs) widths.push_back(std::max(minWidth, equalWidth ? widest : need));
  return widths;
}

std::vector<Rect> PlaceTabs(const Rect& tabsArea, const std::vector<int>& fullWidths,
                            const Margins& tabHorzMargin, int minWidth, bool equalWidth) {
  const int ml = tabHorzMargin.left;
  const int mr = tabHorzMargin.right;
  const int n = static_cast<int>(fullWidths.size());
  std::vector<Rect> rects;
  if (n == 0) return rects;
  rects.reserve(fullWidths.size());

  int x = tabsArea.left;
  auto place = [&](int width) {
    Rect r{x, tabsArea.top, 0, tabsArea.bottom};
    x += width + ml + mr;
    r.right = x;
    r.left += ml;
    r.right -= mr;
    rects.push_back(r);
  };

  const int available = std::max(0, static_cast<int>(tabsArea.right - tabsArea.left) - 1);
  long long total = static_cast<long long>(n) * (ml + mr);
  for (int w : fullWidths) total += w;

  if (available >= total) {
    for (int w : fullWidths) place(w);
    return rects;
  }

  const double overflow = static_cast<double>(total - available);
  int average = (available - n * (ml + mr)) / n;
  if (average < 1) average = 1;

  if (equalWidth) {
    for (int i = 0; i < n; ++i) place(std::max(average, minWidth));
    return rects;
  }

  long long surplus = 0;  // how much wider than the average the wide tabs are, all together
  for (int w : fullWidths)
    if (w > average) surplus += w - average;

  for (int i = 0; i < n; ++i) {
    const int w = fullWidths[static_cast<size_t>(i)];
    if (i == n - 1) {
      place(std::max(minWidth, static_cast<int>(tabsArea.right) - mr - ml - x - 1));
    } else if (w > average && surplus > 0) {
      const int cut = static_cast<int>(static_cast<double>(w - average) / static_cast<double>(surplus) *
                                           overflow + 0.5);
      place(std::max(minWidth, w - cut));
    } else {
      place(w);
    }
  }
  return rects;
}

int HitTest(const Rect& tabsArea, const std::vector<Rect>& tabRects, Point point) {
  if (!Contains(tabsArea, point)) return -1;
  for (size_t i = 0; i < tabRects.size(); ++i)
    if (Contains(tabRects[i], point)) return static_cast<int>(i);
  return -1;
}

bool IsShortened(const Rect& tabRect, const Rect& tabsArea, int fullWidth) {
  const int left = std::max(tabRect.left, tabsArea.left);
  const int right = std::min(tabRect.right, tabsArea.right);
  return right > left && right - left < fullWidth;
}

bool LeavesDragSquare(Point press, Point point) {
  const bool insideX = point.x >= press.x - 3 && point.x < press.x + 3;
  const bool insideY = point.y >= press.y - 3 && point.y < press.y + 3;
  return !(insideX && insideY);
}

DragMove DecideDragMove(int pressedIndex, int hoveredIndex, const Rect& hoveredRect,
                        int pressedWidth, Point point) {
  if (hoveredIndex < 0 || pressedIndex < 0 || hoveredIndex == pressedIndex) return DragMove::None;
  const Rect& h = hoveredRect;
  if (hoveredIndex < pressedIndex) {
    Rect zone{h.left, h.top, h.left + pressedWidth, h.bottom};
    return Contains(zone, point) ? DragMove::BeforeHovered : DragMove::None;
  }
  Rect zone{h.right - pressedWidth, h.top, h.right, h.bottom};
  return Contains(zone, point) ? DragMove::AfterHovered : DragMove::None;
}

}  // namespace tab_layout
