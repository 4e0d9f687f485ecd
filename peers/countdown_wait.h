// The pairing waits of the Swivo page and the pairing dialog: a countdown thread that writes the
// seconds passed into a status box's line 2 until its steps run out or it is stopped, and a wait
// on several handles that keeps dispatching this thread's messages.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>

class CountdownThread {
 public:
  // steps of stepMs; after every fourth step tick(seconds passed) runs on the thread.
  CountdownThread(int steps, DWORD stepMs, std::function<void(int seconds)> tick);
  ~CountdownThread();  // stops and waits
  bool Start();
  void Stop();
  HANDLE Handle() const { return thread_; }

 private:
  static DWORD WINAPI Run(void* self);
  int steps_;
  DWORD stepMs_;
  std::function<void(int)> tick_;
  std::atomic<bool> stop_{false};
  HANDLE thread_ = nullptr;
};

// Waits until one of the handles is signalled, dispatching messages meanwhile; the index of the
// first signalled handle, or -1 when the wait failed or a quit request came.
int WaitAnyWithMessages(const HANDLE* handles, DWORD count);
