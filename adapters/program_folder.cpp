#include "adapters/program_folder.h"

#include <windows.h>

std::wstring ProgramFolder() {
  wchar_t folder[MAX_PATH] = {};
  const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, folder);
  return std::wstring(folder, length < MAX_PATH ? length : 0);
}

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder, length < MAX_PATH ? length : 0);
}

std::wstring ProgramModulePath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, length < MAX_PATH ? length : 0);
}
