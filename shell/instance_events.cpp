#include "shell/instance_events.h"

HANDLE OpenNamedEvent(const wchar_t* name) { return ::OpenEventW(EVENT_ALL_ACCESS, FALSE, name); }

bool SignalNamedEvent(const wchar_t* name) {
  HANDLE event = OpenNamedEvent(name);
  if (!event) return false;
  ::SetEvent(event);
  ::CloseHandle(event);
  return true;
}

namespace {
// The old instance's marker lives as long as any handle to it is open: each try closes what it
// opened, or the waiting instance itself would keep the marker alive for good.
bool MarkerStillThere() {
  HANDLE marker = OpenNamedEvent(kInstanceMarkerEvent);
  if (!marker) return false;
  ::CloseHandle(marker);
  return true;
}
}  // namespace

InstanceStart ResolveInstanceAtStart(StartWord word, const std::function<void(DWORD)>& sleep) {
  InstanceStart start;
  if (word == StartWord::kQuitApp) {
    SignalNamedEvent(kQuitRequestEvent);
    start.startupQuit = true;
    return start;
  }
  if (word == StartWord::kRestart) {
    bool gone = false;
    for (int attempt = 0; attempt < kRestartTries && !gone; ++attempt) {
      sleep(kRestartPollMs);
      gone = !MarkerStillThere();
    }
    if (!gone) {
      start.startupQuit = true;
      return start;
    }
  } else if (MarkerStillThere()) {
    SignalNamedEvent(kBringToFrontEvent);
    start.startupQuit = true;
    return start;
  }
  start.marker = ::CreateEventW(nullptr, FALSE, FALSE, kInstanceMarkerEvent);
  return start;
}
