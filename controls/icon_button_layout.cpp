#include "controls/icon_button_layout.h"

#include <algorithm>

namespace icon_button_layout {

Placement Place(const Input& in) {
  const int p = in.pressed ? 1 : 0;
  const int w = static_cast<int>(in.client.cx);
  const int h = static_cast<int>(in.client.cy);
  Placement out;
  if (in.hasIcon) {
    out.icon.x = (in.hasCaption ? kImageMargin : (w - kIconSize) >> 1) + p;
    out.icon.y = ((h - kIconSize) >> 1) + p;
  }
  if (in.hasCaption) {
    if (in.hasIcon) {
      const int rest = std::max(0, w - static_cast<int>(in.caption.cx) - kImageTextGap - kIconSize - kImageMargin);
      out.caption.x = kImageMargin + kIconSize + kImageTextGap + (rest >> 1) + p;
    } else {
      out.caption.x = ((w - in.caption.cx) >> 1) + p;
    }
    out.caption.y = ((h - static_cast<int>(in.caption.cy)) >> 1) - 1 + p;
  }
  return out;
}

int FocusInset(const RECT& item) {
  const int smaller = static_cast<int>(std::min(item.right - item.left, item.bottom - item.top));
  return smaller < 16 ? smaller / 4 : 3;
}

}  // namespace icon_button_layout
