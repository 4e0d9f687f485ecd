// The stop of an engine thread at shutdown: stop flag, stop event, a bounded wait that keeps
// handling the messages the engine sends to the GUI thread meanwhile, and the engine freed only
// when its thread has ended.
#pragma once
#include <windows.h>

#include <atomic>

constexpr DWORD kEngineStopWaitMs = 10000;

// Sets the flag, signals the event and waits up to timeoutMs for the thread while dispatching
// messages (an engine that SendMessage's to this thread would otherwise stall its own end).
// True when the thread has ended.
bool StopEngineThread(std::atomic<bool>& stopFlag, HANDLE stopEvent, HANDLE thread, DWORD timeoutMs);

// For an engine with stop_, stopEvent_, thread_ and Close(): stops it, then closes and deletes it
// when its thread has ended. An engine whose thread still runs is left alive (never freed under
// its thread). The pointer is emptied in both cases; true when the engine was freed.
template <class Engine>
bool StopAndFreeEngine(Engine*& engine, DWORD timeoutMs = kEngineStopWaitMs) {
  if (!engine) return true;
  Engine* stopping = engine;
  engine = nullptr;
  if (!StopEngineThread(stopping->stop_, stopping->stopEvent_, stopping->thread_, timeoutMs)) return false;
  stopping->Close();
  delete stopping;
  return true;
}
