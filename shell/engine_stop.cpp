#include "shell/engine_stop.h"

#include "framework/message_pump.h"

bool StopEngineThread(std::atomic<bool>& stopFlag, HANDLE stopEvent, HANDLE thread, DWORD timeoutMs) {
  stopFlag = true;
  if (stopEvent) ::SetEvent(stopEvent);
  if (!thread) return true;  // never started: nothing runs
  return WaitWithMessages(thread, timeoutMs) == WAIT_OBJECT_0;
}
