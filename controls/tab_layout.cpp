#include "controls/tab_layout.h"

#include <algorithm>

namespace tab_layout {

RECT Shrink(const RECT& rect, const Margins& margins) {
  return RECT{rect.left + margins.left, rect.top + margins.top, rect.right - margins.right,
              rect.bottom - margins.bottom};
}

Areas LayoutAreas(const RECT& client, int borderWidth, bool hasTabs, int stripHeight,
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

std::vector<RECT> PlaceTabs(const RECT& tabsArea, const std::vector<int>& fullWidths,
                            const Margins& tabHorzMargin, int minWidth, bool equalWidth) {
  const int ml = tabHorzMargin.left;
  const int mr = tabHorzMargin.right;
  const int n = static_cast<int>(fullWidths.size());
  std::vector<RECT> rects;
  if (n == 0) return rects;
  rects.reserve(fullWidths.size());

  int x = tabsArea.left;
  auto place = [&](int width) {
    RECT r{x, tabsArea.top, 0, tabsArea.bottom};
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

int HitTest(const RECT& tabsArea, const std::vector<RECT>& tabRects, POINT point) {
  if (!PtInRect(&tabsArea, point)) return -1;
  for (size_t i = 0; i < tabRects.size(); ++i)
    if (PtInRect(&tabRects[i], point)) return static_cast<int>(i);
  return -1;
}

bool IsShortened(const RECT& tabRect, const RECT& tabsArea, int fullWidth) {
  const LONG left = std::max(tabRect.left, tabsArea.left);
  const LONG right = std::min(tabRect.right, tabsArea.right);
  return right > left && right - left < fullWidth;
}

bool LeavesDragSquare(POINT press, POINT point) {
  const bool insideX = point.x >= press.x - 3 && point.x < press.x + 3;
  const bool insideY = point.y >= press.y - 3 && point.y < press.y + 3;
  return !(insideX && insideY);
}

DragMove DecideDragMove(int pressedIndex, int hoveredIndex, const RECT& hoveredRect,
                        int pressedWidth, POINT point) {
  if (hoveredIndex < 0 || pressedIndex < 0 || hoveredIndex == pressedIndex) return DragMove::None;
  const RECT& h = hoveredRect;
  if (hoveredIndex < pressedIndex) {
    RECT zone{h.left, h.top, h.left + pressedWidth, h.bottom};
    return PtInRect(&zone, point) ? DragMove::BeforeHovered : DragMove::None;
  }
  RECT zone{h.right - pressedWidth, h.top, h.right, h.bottom};
  return PtInRect(&zone, point) ? DragMove::AfterHovered : DragMove::None;
}

}  // namespace tab_layout
