#include "shell/settings_folder.h"

#include <windows.h>

std::wstring SettingsFolder() {
  wchar_t folder[MAX_PATH] = {};
  DWORD length = ::GetCurrentDirectoryW(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH) return {};
  std::wstring path(folder, length);
  if (path.back() == L'\\') path.pop_back();  // "C:\" at the root: names are joined with "\"
  return path;
}
