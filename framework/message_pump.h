// The message loops of the GUI threads. Each one offers every message to PreTranslateMessage of
// its window's object and of each parent's object before dispatching it, and none loses a quit:
// a WM_QUIT taken out of the queue by an inner loop is posted again for the outer loops.
#pragma once
#include <windows.h>

// Offers msg to the objects of its window and of the window's parents, innermost first; true when
// one of them took it.
bool WalkPreTranslateTree(MSG* msg);
// Walks, then translates and dispatches msg unless it was taken.
void TranslateAndDispatch(MSG* msg);
// Dispatches what is queued now; false (with WM_QUIT posted again) when a quit was among it.
bool DispatchPendingMessages();
// Waits for handle (a worker thread, an event) while dispatching every message that arrives
// (QS_ALLINPUT). A quit seen during the wait is kept and posted again when the wait ends.
// Returns WAIT_OBJECT_0 or WAIT_TIMEOUT (or WAIT_FAILED for a bad handle).
DWORD WaitWithMessages(HANDLE handle, DWORD timeoutMs = INFINITE);
// Keeps dispatching for the given time (the status boxes' fixed display times).
void PumpMessagesFor(DWORD milliseconds);
