// InstanceEventWatcher: the engine thread that waits for the other instances' requests (come to
// the front, quit) and hands them to the main dialog as window messages.
// It waits on three handles: its stop event, the front request and the quit request.
#pragma once
#include <windows.h>

#include <atomic>

class InstanceEventWatcher {
 public:
  InstanceEventWatcher() = default;
  InstanceEventWatcher(const InstanceEventWatcher&) = delete;
  InstanceEventWatcher& operator=(const InstanceEventWatcher&) = delete;
  ~InstanceEventWatcher() { Close(); }

  // Creates the stop event, the two named request events (or opens them when they exist) and the
  // thread; false at the first step that fails.
  bool Start();
  // Closes the four handles (after the thread has ended).
  void Close();

  std::atomic<bool> stop_{false};
  HANDLE thread_ = nullptr;
  HANDLE stopEvent_ = nullptr;
  HANDLE bringToFrontEvent_ = nullptr;
  HANDLE quitRequestEvent_ = nullptr;
  // Empty until the main dialog is initialised; requests that come before are lost.
  std::atomic<HWND> window_{nullptr};

 private:
  static DWORD WINAPI ThreadProc(void* self);
  void Run();
};
