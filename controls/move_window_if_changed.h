// Moves a child window only when it is not already there, so that a relayout that changes nothing
// costs no repaint of the page.
#pragma once
#include <windows.h>

// rect is in the parent's client coordinates; false when the window is not a window.
bool MoveWindowIfChanged(HWND window, const RECT& rect, bool repaint);
