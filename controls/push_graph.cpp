#include "controls/push_graph.h"

bool C2DPushGraph::ReplaceStatic(UINT id, CWnd* parent) {
  HWND placeholder = ::GetDlgItem(*parent, static_cast<int>(id));
  if (!placeholder) return false;
  RECT rect;
  ::GetWindowRect(placeholder, &rect);
  ::MapWindowPoints(nullptr, *parent, reinterpret_cast<POINT*>(&rect), 2);
  const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(placeholder, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrW(placeholder, GWL_EXSTYLE));
  ::DestroyWindow(placeholder);
  return CreateEx(exStyle, DefaultChildWindowClass(), L"", style | WS_CHILD | WS_VISIBLE, rect, parent, id);
}

bool C2DPushGraph::PushValue(int value, int id) {
  // A graph that is never painted (its page hidden, the program in the tray) still knows how
  // much it keeps.
  if (model_.VisiblePointCount() == PushGraphModel::kUncounted && IsWindow()) {
    CRect client;
    GetClientRect(&client);
    model_.CountVisiblePoints(client.Width());
  }
  return model_.PushValue(value, id);
}

void C2DPushGraph::Advance() {
  model_.Advance();
  if (IsWindow()) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void C2DPushGraph::OnSize(UINT, int, int) {
  Default();
  model_.SetVisiblePointCount(PushGraphModel::kUncounted);
  Invalidate();
}

void C2DPushGraph::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  CDC memory;
  CBitmap bitmap;
  if (!memory.CreateCompatibleDC(&paint) || !bitmap.CreateCompatibleBitmap(paint, client.Width(), client.Height()))
    return;
  HGDIOBJ displaced = memory.SelectObject(&bitmap);
  memory.IntersectClipRect(client);
  memory.FillSolidRect(client, backgroundColour);
  memory.SetBkMode(TRANSPARENT);
  if (showGrid) PaintGrid(&memory, client);
  PaintSeries(&memory, client);
  paint.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(displaced);
}

void C2DPushGraph::PaintGrid(CDC* dc, const CRect& rect) {
  CPen pen(PS_SOLID, 1, gridColour);
  HGDIOBJ old = dc->SelectObject(&pen);
  const int height = rect.Height();
  const int grid = model_.GridSize();
  for (int y = height - 1; y >= 0; y -= grid) {
    dc->MoveTo(rect.left, y);
    dc->LineTo(rect.right, y);
  }
  for (int x = rect.left + model_.GridOffset(); x < rect.right; x += grid) {
    if (x < rect.left) continue;
    dc->MoveTo(x, 0);
    dc->LineTo(x, height);
  }
  dc->SelectObject(old);
}

void C2DPushGraph::PaintSeries(CDC* dc, const CRect& rect) {
  if (!model_.PrepareForPaint(rect.Width())) return;
  const int height = rect.Height();
  const int interval = model_.LineInterval();
  for (const PushGraphLine& line : model_.Series()) {
    if (line.Values().empty()) return;  // trimmed to nothing: nothing fits, no series is drawn
    CPen pen(PS_SOLID, 1, line.Colour());
    HGDIOBJ old = dc->SelectObject(&pen);
    dc->MoveTo(rect.left, height);
    int x = rect.left;
    for (const std::int64_t offset : line.Values()) {
      dc->LineTo(x, model_.PointY(offset, height));
      x += interval;
    }
    dc->SelectObject(old);
  }
}
