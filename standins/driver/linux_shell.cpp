// The recipe Wine allows: "Z:\bin\sh FILE" with the script in a file (no quoting through the
// Windows command line), its output and exit status written to files, the status file renamed
// into place last so that it is never read half-written.
#include "standins/driver/linux_shell.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <cwchar>

namespace {

std::atomic<unsigned> g_callNumber{0};

bool WriteWholeFile(const std::wstring& path, const std::string& text) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == text.size();
}

bool ReadWholeFile(const std::wstring& path, std::string* text) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  text->clear();
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text->append(buffer, got);
  ::CloseHandle(file);
  return true;
}

}  // namespace

std::string UnixPathOf(const std::wstring& windowsPath) {
  using UnixName = char*(CDECL*)(LPCWSTR);
  auto convert = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return {};
  char* unixPath = convert(windowsPath.c_str());
  if (!unixPath) return {};
  std::string result(unixPath);
  ::HeapFree(::GetProcessHeap(), 0, unixPath);
  return result;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') quoted += "'\\''";
    else quoted += c;
  }
  return quoted + "'";
}

LinuxShellResult RunLinuxShell(const std::string& script, unsigned long timeoutMs) {
  LinuxShellResult result;
  wchar_t folder[MAX_PATH];
  if (!::GetTempPathW(MAX_PATH, folder)) return result;
  wchar_t name[64];
  ::swprintf(name, 64, L"lvx-%lu-%u", ::GetCurrentProcessId(), g_callNumber++);
  std::wstring base = std::wstring(folder) + name;
  std::wstring scriptPath = base + L".sh", outputPath = base + L".out", statusPath = base + L".rc";
  std::string unixBase = UnixPathOf(base);
  if (unixBase.empty()) return result;

  std::string wrapper = "( :\n" + script + "\n) >" + ShellQuoted(unixBase + ".out") + " 2>&1\n" +
                        "echo $? >" + ShellQuoted(unixBase + ".rc.tmp") + "\n" +
                        "mv -f " + ShellQuoted(unixBase + ".rc.tmp") + " " + ShellQuoted(unixBase + ".rc") + "\n";
  if (!WriteWholeFile(scriptPath, wrapper)) return result;

  // sh is a Unix program: it takes the script as a Unix path (Wine hands it on as UTF-8).
  std::string unixScript = unixBase + ".sh";
  std::wstring wideScript(unixScript.size(), L'\0');
  wideScript.resize(::MultiByteToWideChar(CP_UTF8, 0, unixScript.data(), static_cast<int>(unixScript.size()),
                                          &wideScript[0], static_cast<int>(wideScript.size())));
  std::wstring commandLine = L"Z:\\bin\\sh \"" + wideScript + L"\"";
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  if (::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    if (process.hProcess) ::CloseHandle(process.hProcess);
    if (process.hThread) ::CloseHandle(process.hThread);
    DWORD start = ::GetTickCount();
    while (::GetFileAttributesW(statusPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
      if (::GetTickCount() - start > timeoutMs) break;
      ::Sleep(5);
    }
    std::string status;
    if (ReadWholeFile(statusPath, &status)) {
      result.ran = true;
      result.exitCode = std::atoi(status.c_str());
      ReadWholeFile(outputPath, &result.output);
    }
  }
  ::DeleteFileW(scriptPath.c_str());
  ::DeleteFileW(outputPath.c_str());
  ::DeleteFileW(statusPath.c_str());
  return result;
}
