// Corvane.exe's entry: the one program object, and the framework's start.
#include <windows.h>

#include "shell/corvane_app.h"

namespace {
CCorvaneApp theApp;
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return AfxWinMain(); }
