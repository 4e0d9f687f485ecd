// Rectangles as text, so that a failed comparison shows all four edges.
#pragma once
#include <string>

// Any rectangle with left, top, right and bottom: the platform's and the layout's own.
template <class R>
std::string RectText(const R& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}
