// The named events by which instances of the program find each other: the marker of a running
// instance, and the requests to come to the front and to quit that its watcher waits for.
#pragma once
#include <windows.h>

#include <functional>

#include "shell/command_words.h"

inline constexpr wchar_t kInstanceMarkerEvent[] = L"Global\\Lanvex_1cda8387";
inline constexpr wchar_t kBringToFrontEvent[] = L"Global\\Lanvex_1cda8388";
inline constexpr wchar_t kQuitRequestEvent[] = L"Global\\Lanvex_1cda8389";

// How a restart waits for the old instance: tries, one second apart.
constexpr int kRestartTries = 15;
constexpr DWORD kRestartPollMs = 1000;

struct InstanceStart {
  bool startupQuit = false;  // this start only passed a request on (or gave up): end at once
  HANDLE marker = nullptr;   // this instance's marker, when it goes on
};

// What a start does with the other instance: "QUITAPP" signals the quit request; "RESTART" waits
// for the old marker to vanish (giving up after kRestartTries); otherwise a running instance is
// asked to come to the front. An instance that goes on creates its own marker. sleep is the
// pause between the restart's tries (Sleep in the program).
InstanceStart ResolveInstanceAtStart(StartWord word, const std::function<void(DWORD)>& sleep);

// Opens a named event with full access; null when it does not exist.
HANDLE OpenNamedEvent(const wchar_t* name);
// Opens and signals a named event; false when it does not exist.
bool SignalNamedEvent(const wchar_t* name);
