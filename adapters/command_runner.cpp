#include "adapters/command_runner.h"

#include <cwchar>

#include "adapters/adapter_system_calls.h"
#include "adapters/command_lines.h"

AdapterSystemCalls g_AdapterSystemCalls;

DWORD RunCommandAndWait(const wchar_t* commandLine) {
  // The process creation may write into the line, so it gets a copy of its own.
  wchar_t buffer[kCommandLineUnits];
  const size_t length = std::wcslen(commandLine);
  if (length >= kCommandLineUnits) return 0;
  std::wmemcpy(buffer, commandLine, length + 1);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  if (!g_AdapterSystemCalls.createProcess(nullptr, buffer, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                          &process)) {
    return 0;
  }
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 0;
  ::GetExitCodeProcess(process.hProcess, &exitCode);
  ::CloseHandle(process.hProcess);
  ::CloseHandle(process.hThread);
  return exitCode;
}
