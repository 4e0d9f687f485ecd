#include "controls/move_window_if_changed.h"

bool MoveWindowIfChanged(HWND window, const RECT& rect, bool repaint) {
  if (!::IsWindow(window)) return false;
  RECT now;
  ::GetWindowRect(window, &now);
  if (HWND parent = ::GetParent(window)) ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&now), 2);
  if (::EqualRect(&now, &rect)) return true;
  return ::MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint) != FALSE;
}
