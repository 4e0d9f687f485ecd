#include "adapters/worker_wait.h"

#include "framework/message_pump.h"

bool RunWorkerWithMessages(LPTHREAD_START_ROUTINE routine, void* argument, SIZE_T stackBytes) {
  HANDLE worker = ::CreateThread(nullptr, stackBytes, routine, argument,
                                 CREATE_SUSPENDED | STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (!worker) return false;
  ::ResumeThread(worker);
  // A quit request seen meanwhile is kept for the outer loops; the worker still runs to its end,
  // since it reports to windows of this thread.
  WaitWithMessages(worker);
  ::CloseHandle(worker);
  return true;
}

void BringDialogToFront(HWND dialog) {
  ::SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetWindowPos(dialog, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::ShowWindow(dialog, SW_SHOWNORMAL);
  ::SetForegroundWindow(dialog);
}
