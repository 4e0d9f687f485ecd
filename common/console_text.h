// Wide text to the standard output or error, whole whatever its characters: on a console through
// WriteConsoleW, and redirected to a file or pipe in the console's output code page. The C
// library's wide printing without a locale stops at the first character outside Latin-1.
#pragma once
#include <windows.h>

#include <string_view>

// Writes `text` to the standard handle `which` (STD_OUTPUT_HANDLE or STD_ERROR_HANDLE). Redirected,
// each "\n" goes out as "\r\n", as the C library's text mode writes it, in the console's output
// code page, or the OEM code page when the process has no console. False when nothing could be
// written.
bool WriteConsoleText(DWORD which, std::wstring_view text);

// The same with a line end after it.
bool WriteConsoleLine(DWORD which, std::wstring_view text);
