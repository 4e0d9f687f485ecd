// Gives a window the bold variant of its font. The font stays alive for the rest of the program:
// the window keeps using it.
#pragma once
#include <windows.h>

void SetBoldFont(HWND window);
