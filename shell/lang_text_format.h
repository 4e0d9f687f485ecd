// Fills the printf placeholders of a translated text ("%d", "%s", "%04d"; %s takes a wide
// string). The texts come from the built-in table, whose placeholders are checked; wsprintfW
// writes at most 1024 characters, so a longer result is cut.
#pragma once
#include <windows.h>
#include <string>

template <typename... Args>
std::wstring FormatLangText(const wchar_t* format, Args... args) {
  wchar_t buffer[1025];
  int written = ::wsprintfW(buffer, format, args...);
  return std::wstring(buffer, static_cast<size_t>(written > 0 ? written : 0));
}
