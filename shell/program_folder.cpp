#include "shell/program_folder.h"

#include <windows.h>

std::wstring ModulePath() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::wstring();
  return std::wstring(path, length);
}

std::wstring ProgramFolderOfModule() {
  std::wstring path = ModulePath();
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}
