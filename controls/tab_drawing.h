// Drawing routines the tab styles share: plain functions on a device context. Every pen is solid
// and one pixel wide and, like every brush, made for one step and deleted at once.
#pragma once
#include <windows.h>

#include "framework/dc.h"

namespace tab_drawing {

// Six-point tab outline with cut corners of size c along the top (tabs above the page).
void DrawTabShape(CDC* dc, const RECT& rect, int corner, COLORREF outline, COLORREF fill);
// Filled polygon, then its open outline from the first to the last point (the closing edge is not
// stroked), the last point set in the outline colour.
void FillPolygonOutlined(CDC* dc, const POINT points[6], COLORREF outline, COLORREF fill);
void GradientFillV(CDC* dc, const RECT& rect, COLORREF top, COLORREF bottom);
void DrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF colour);
void DrawFrame(CDC* dc, int left, int top, int right, int bottom, COLORREF colour);
void FillSolid(CDC* dc, const RECT& rect, COLORREF colour);
// Per channel (a * percent + b * (100 - percent)) / 100.
COLORREF MixColors(COLORREF a, COLORREF b, int percent);

}  // namespace tab_drawing
