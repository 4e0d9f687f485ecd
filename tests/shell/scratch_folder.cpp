#include "tests/shell/scratch_folder.h"

#include <windows.h>


ScratchFolder::~ScratchFolder() {
  if (path_.empty()) return;
  if (!previous_.empty()) ::SetCurrentDirectoryW(previous_.c_str());
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((path_ + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileW(PathOf(found.cFileName).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryW(path_.c_str());
}

bool ScratchFolder::Enter() {
  wchar_t buffer[MAX_PATH] = {};
  if (!::GetCurrentDirectoryW(MAX_PATH, buffer)) return false;
  previous_ = buffer;
  if (!::GetTempPathW(MAX_PATH, buffer)) return false;
  static int serial = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring candidate = std::wstring(buffer) + L"corvane-pages-" + std::to_wstring(::GetCurrentProcessId()) +
                             L"-" + std::to_wstring(++serial);
    if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = candidate;
      return ::SetCurrentDirectoryW(path_.c_str()) != FALSE;
    }
  }
  return false;
}

bool ScratchFolder::Exists(const wchar_t* name) const {
  return ::GetFileAttributesW(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ScratchFolder::Read(const wchar_t* name) const {
  return ReadFileBytes(PathOf(name));
}

bool ScratchFolder::Write(const wchar_t* name, const std::string& bytes) const {
  return WriteFileBytes(PathOf(name), bytes);
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char block[4096];
  DWORD read = 0;
  while (::ReadFile(file, block, sizeof(block), &read, nullptr) && read > 0) bytes.append(block, read);
  ::CloseHandle(file);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  return ::CloseHandle(file) && ok;
}
