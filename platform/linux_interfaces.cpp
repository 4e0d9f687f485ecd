#include "platform/linux_interfaces.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>

namespace {

const wchar_t kInterfaces[] = L"Z:\\sys\\class\\net\\";

}  // namespace

bool IsPlainInterfaceName(const wchar_t* name) {
  const size_t length = std::wcslen(name);
  if (length == 0 || length > 15 || std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0) return false;
  return std::wcspbrk(name, L"\\/:*?\"<>| ") == nullptr;
}

bool ReadInterfaceFile(const wchar_t* name, const wchar_t* leaf, std::string& text) {
  if (!IsPlainInterfaceName(name)) return false;
  const std::wstring path = std::wstring(kInterfaces) + name + L"\\" + leaf;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[64] = {};
  DWORD got = 0;
  const BOOL read = ::ReadFile(file, buffer, sizeof buffer - 1, &got, nullptr);
  ::CloseHandle(file);
  if (!read) return false;
  text.assign(buffer, got);
  return true;
}

bool InterfaceHas(const wchar_t* name, const wchar_t* leaf) {
  if (!IsPlainInterfaceName(name)) return false;
  const std::wstring path = std::wstring(kInterfaces) + name + L"\\" + leaf;
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring AdapterGuidOfInterface(const wchar_t* name) {
  std::string text;
  if (!ReadInterfaceFile(name, L"ifindex", text)) return {};
  const long index = std::strtol(text.c_str(), nullptr, 10);
  if (index <= 0) return {};
  wchar_t guid[40];
  std::swprintf(guid, 40, L"{%08lX-0000-0000-0000-4E6574446576}", static_cast<unsigned long>(index));
  return guid;
}

std::vector<std::wstring> ListInterfaceNames() {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileW((std::wstring(kInterfaces) + L"*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (IsPlainInterfaceName(entry.cFileName)) names.emplace_back(entry.cFileName);
  } while (::FindNextFileW(find, &entry));
  ::FindClose(find);
  return names;
}
