#include "controls/tab_drawing.h"

namespace tab_drawing {

void DrawTabShape(CDC* dc, const RECT& r, int c, COLORREF outline, COLORREF fill) {
  const POINT points[6] = {{r.left, r.bottom - 1},      {r.left, r.top + c},
                           {r.left + c, r.top},         {r.right - c - 1, r.top},
                           {r.right - 1, r.top + c},    {r.right - 1, r.bottom - 1}};
  FillPolygonOutlined(dc, points, outline, fill);
}

void FillPolygonOutlined(CDC* dc, const POINT points[6], COLORREF outline, COLORREF fill) {
  {
    CPen pen(PS_SOLID, 1, fill);
    CBrush brush(fill);
    HGDIOBJ oldPen = dc->SelectObject(&pen);
    HGDIOBJ oldBrush = dc->SelectObject(&brush);
    dc->Polygon(points, 6);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
  }
  CPen pen(PS_SOLID, 1, outline);
  HGDIOBJ oldPen = dc->SelectObject(&pen);
  dc->MoveTo(points[0].x, points[0].y);
  for (int i = 1; i < 6; ++i) dc->LineTo(points[i].x, points[i].y);
  ::SetPixelV(*dc, points[5].x, points[5].y, outline);
  dc->SelectObject(oldPen);
}

void GradientFillV(CDC* dc, const RECT& rect, COLORREF top, COLORREF bottom) {
  TRIVERTEX vertices[2] = {};
  vertices[0].x = rect.left;
  vertices[0].y = rect.top;
  vertices[0].Red = static_cast<COLOR16>(GetRValue(top) << 8);
  vertices[0].Green = static_cast<COLOR16>(GetGValue(top) << 8);
  vertices[0].Blue = static_cast<COLOR16>(GetBValue(top) << 8);
  vertices[1].x = rect.right;
  vertices[1].y = rect.bottom;
  vertices[1].Red = static_cast<COLOR16>(GetRValue(bottom) << 8);
  vertices[1].Green = static_cast<COLOR16>(GetGValue(bottom) << 8);
  vertices[1].Blue = static_cast<COLOR16>(GetBValue(bottom) << 8);
  GRADIENT_RECT mesh = {0, 1};
  ::GradientFill(*dc, vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_V);
}

void DrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF colour) {
  CPen pen(PS_SOLID, 1, colour);
  HGDIOBJ old = dc->SelectObject(&pen);
  dc->MoveTo(x1, y1);
  dc->LineTo(x2, y2);
  dc->SelectObject(old);
}

void DrawFrame(CDC* dc, int left, int top, int right, int bottom, COLORREF colour) {
  CPen pen(PS_SOLID, 1, colour);
  HGDIOBJ old = dc->SelectObject(&pen);
  dc->MoveTo(left, top);
  dc->LineTo(left, bottom);
  dc->LineTo(right, bottom);
  dc->LineTo(right, top);
  dc->LineTo(left, top);
  dc->SelectObject(old);
}

void FillSolid(CDC* dc, const RECT& rect, COLORREF colour) {
  CBrush brush(colour);
  dc->FillRect(rect, brush);
}

COLORREF MixColors(COLORREF a, COLORREF b, int percent) {
  auto mix = [percent](int x, int y) { return (x * percent + y * (100 - percent)) / 100; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

}  // namespace tab_drawing
