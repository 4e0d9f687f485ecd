// Screenshots of test windows: what the screen shows over a window's rectangle, saved as PNG
// under the build folder (screenshots/), for a person to look at.
#pragma once
#include <windows.h>
#include <string>

// Saves the window's on-screen pixels to <build>/screenshots/<name>.png; true when written.
bool SaveWindowPng(HWND window, const std::wstring& name);
// The folder the screenshots go to, as a Windows path.
std::wstring ScreenshotFolder();
