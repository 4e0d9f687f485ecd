// The main dialog's refresh tick: a one-shot timer-queue timer of two seconds whose callback
// posts UM_REFRESH while polling is enabled; the refresh re-arms it, so the period is two seconds
// plus the refresh. A callback that finds polling disabled posts nothing and the tick ends.
#pragma once
#include <windows.h>

#include <atomic>

class RefreshTick {
 public:
  static constexpr DWORD kPeriodMs = 2000;

  RefreshTick() = default;
  RefreshTick(const RefreshTick&) = delete;
  RefreshTick& operator=(const RefreshTick&) = delete;
  ~RefreshTick() { Stop(); }

  // Creates the queue and the first timer; false when either cannot be made.
  bool Start(HWND window, const std::atomic<bool>* pollingEnabled);
  // Replaces the spent timer with a new one, after its callback has finished.
  bool Rearm();
  // Deletes the queue, waiting until a running callback has finished.
  void Stop();
  bool Running() const { return queue_ != nullptr; }

 private:
  static void CALLBACK Callback(void* self, BOOLEAN timedOut);
  bool Arm();

  HANDLE queue_ = nullptr;
  HANDLE timer_ = nullptr;
  HWND window_ = nullptr;
  const std::atomic<bool>* pollingEnabled_ = nullptr;
};
