#include "common/console_text.h"

#include <cstdio>
#include <string>

namespace {

bool WriteAll(HANDLE handle, const char* bytes, size_t size) {
  while (size > 0) {
    DWORD written = 0;
    const DWORD chunk = size > 0x10000 ? 0x10000 : static_cast<DWORD>(size);
    if (!::WriteFile(handle, bytes, chunk, &written, nullptr) || written == 0) return false;
    bytes += written;
    size -= written;
  }
  return true;
}

}  // namespace

bool WriteConsoleText(DWORD which, std::wstring_view text) {
  // What the C library still holds goes first, so that the two kinds of output keep their order.
  std::fflush(which == STD_ERROR_HANDLE ? stderr : stdout);
  HANDLE handle = ::GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  if (text.empty()) return true;

  DWORD mode = 0;
  if (::GetConsoleMode(handle, &mode)) {
    DWORD written = 0;
    return ::WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != FALSE;
  }

  std::wstring lines;
  lines.reserve(text.size() + 8);
  for (wchar_t c : text) {
    if (c == L'\n') lines += L'\r';
    lines += c;
  }
  UINT codePage = ::GetConsoleOutputCP();
  if (codePage == 0) codePage = ::GetOEMCP();
  const int wideSize = static_cast<int>(lines.size());
  const int size = ::WideCharToMultiByte(codePage, 0, lines.data(), wideSize, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return false;
  std::string bytes(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(codePage, 0, lines.data(), wideSize, bytes.data(), size, nullptr, nullptr);
  return WriteAll(handle, bytes.data(), bytes.size());
}

bool WriteConsoleLine(DWORD which, std::wstring_view text) {
  std::wstring line(text);
  line += L'\n';
  return WriteConsoleText(which, line);
}
