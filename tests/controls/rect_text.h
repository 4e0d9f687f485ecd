// Rectangles as text, so that a failed comparison shows all four edges.
#pragma once
#include <windows.h>

#include <string>

inline std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}
