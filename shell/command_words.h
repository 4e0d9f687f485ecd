// The command words of a start: "QUITAPP" ends the running instance, "RESTART" waits for it to
// end. They are found anywhere in the command line once the program's own path and every double
// quote are taken out of it.
#pragma once
#include <string>

enum class StartWord { kNone, kQuitApp, kRestart };

// commandLine as GetCommandLineW gives it, modulePath as GetModuleFileNameW gives it. "QUITAPP"
// wins when both words are there.
StartWord FindStartWord(const std::wstring& commandLine, const std::wstring& modulePath);
