// Stands in for the web browser in page tests: registered in a test prefix as the program that
// opens http addresses (and put in place of Internet Explorer), it appends what it was given on
// its command line, after its own name, as one UTF-8 line to the file that the environment
// variable CORVANE_OPENED names (the test's, inherited through the shell), and ends.
#include <windows.h>

#include <string>

namespace {
// The command line without the program's own name and the blank after it.
std::wstring ArgumentsOf(const wchar_t* commandLine) {
  const wchar_t* p = commandLine;
  if (*p == L'"') {
    for (++p; *p && *p != L'"'; ++p) {}
    if (*p) ++p;
  } else {
    while (*p && *p != L' ' && *p != L'\t') ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  return p;
}
}  // namespace

int wmain() {
  wchar_t log[MAX_PATH] = {};
  DWORD length = ::GetEnvironmentVariableW(L"CORVANE_OPENED", log, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 2;
  const std::wstring arguments = ArgumentsOf(::GetCommandLineW()) + L"\n";
  int bytes = ::WideCharToMultiByte(CP_UTF8, 0, arguments.c_str(), static_cast<int>(arguments.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string line(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, arguments.c_str(), static_cast<int>(arguments.size()), &line[0], bytes, nullptr,
                        nullptr);
  HANDLE file = ::CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  ::CloseHandle(file);
  return 0;
}
