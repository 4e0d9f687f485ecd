// Finds the windows a test's own thread shows: status boxes and modal dialogs, by caption.
#pragma once
#include <windows.h>
#include <string>

// A visible top-level window of the calling thread with exactly this caption, other than except;
// null when there is none.
HWND FindThreadWindow(const std::wstring& caption, HWND except = nullptr);
