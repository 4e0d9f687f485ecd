// Steps that run on the GUI thread while a modal dialog's loop runs: one-shot thread timers that
// the loop dispatches. A watchdog step ends a dialog that the script failed to end, so that a
// broken dialog fails its test instead of hanging it.
#pragma once
#include <windows.h>
#include <functional>

// Runs step once, delayMs from now, from whatever loop dispatches this thread's messages.
void RunLater(DWORD delayMs, std::function<void()> step);
// Drops the steps that have not run yet.
void CancelPendingSteps();
