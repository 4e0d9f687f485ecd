// The process's map from window handles to their framework objects. Windows live on several
// threads (the GUI thread, the Swivo controller thread), so the map has its own lock, held only
// for the look-up or the change itself.
#pragma once
#include <windows.h>

class CWnd;

namespace window_map {
void Add(HWND window, CWnd* object);
void Remove(HWND window, CWnd* object);  // only when window still maps to object
CWnd* Find(HWND window);
}  // namespace window_map
