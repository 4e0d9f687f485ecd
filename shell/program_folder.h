// The program folder: where Corvane.exe lies, and where its settings files and language
// libraries are.
#pragma once
#include <string>

// The folder of the running program's own file, without a trailing backslash.
std::wstring ProgramFolderOfModule();
// The running program's own path (GetModuleFileNameW); empty when it cannot be read.
std::wstring ModulePath();
