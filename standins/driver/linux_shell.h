// Runs a Linux shell script from a Windows process under Wine, in the caller's network namespace.
// Wine starts a Unix program from CreateProcessW but gives no exit code and no pipes, so the script
// writes its output and status into files beside it, which this waits for.
#pragma once
#include <string>

struct LinuxShellResult {
  bool ran = false;     // false: not under Wine, or the script never reported back in time
  int exitCode = -1;    // the script's status when it ran
  std::string output;   // standard output and error together
};

// Runs `script` with /bin/sh; waits at most timeoutMs for it to end.
LinuxShellResult RunLinuxShell(const std::string& script, unsigned long timeoutMs = 20000);

// The Unix path of a Windows path ("" when Wine cannot say, as on Windows itself).
std::string UnixPathOf(const std::wstring& windowsPath);

// `text` in single quotes for the shell.
std::string ShellQuoted(const std::string& text);
