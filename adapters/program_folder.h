// The program folder of the interactive program: its current directory.
#pragma once
#include <string>

std::wstring ProgramFolder();
// The system folder (GetSystemDirectoryW).
std::wstring SystemFolder();
// This program's own module file.
std::wstring ProgramModulePath();
