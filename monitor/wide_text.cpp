#include "monitor/wide_text.h"

#include <windows.h>

std::wstring WideText(const std::string& utf8) {
  if (utf8.empty()) return {};
  int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<size_t>(units), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], units);
  return wide;
}
