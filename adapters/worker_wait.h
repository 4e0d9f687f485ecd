// The long operations of the adapter dialogs: a worker thread started suspended with its own
// stack size, run while the GUI thread waits on it and dispatches every message that arrives.
#pragma once
#include <windows.h>

// Runs routine(argument) on the worker and returns once it has ended; false when the thread could
// not be created (routine then never ran).
bool RunWorkerWithMessages(LPTHREAD_START_ROUTINE routine, void* argument, SIZE_T stackBytes);
// Topmost and at once not topmost, shown normally, made the foreground window.
void BringDialogToFront(HWND dialog);
