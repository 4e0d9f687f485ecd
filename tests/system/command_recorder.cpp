// Stands in for a program that Corvane starts (the remote-desktop client, the file-copy program,
// the file explorer): appends its own command line, as one UTF-8 line, to C:\recorded\<its file
// name without extension>.txt, and ends.
#include <windows.h>

#include <string>

int wmain() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name = path;
  name = name.substr(name.find_last_of(L'\\') + 1);
  name = name.substr(0, name.find_last_of(L'.'));
  ::CreateDirectoryW(L"C:\\recorded", nullptr);
  const std::wstring record = L"C:\\recorded\\" + name + L".txt";
  HANDLE file = ::CreateFileW(record.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  const std::wstring line = std::wstring(::GetCommandLineW()) + L"\n";
  int bytes = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, &text[0], bytes, nullptr, nullptr);
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size() - 1), &written, nullptr);
  ::CloseHandle(file);
  return 0;
}
