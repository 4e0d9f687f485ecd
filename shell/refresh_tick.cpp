#include "shell/refresh_tick.h"

#include "shell/main_messages.h"

bool RefreshTick::Start(HWND window, const std::atomic<bool>* pollingEnabled) {
  window_ = window;
  pollingEnabled_ = pollingEnabled;
  queue_ = ::CreateTimerQueue();
  if (!queue_) return false;
  return Arm();
}

bool RefreshTick::Arm() {
  return ::CreateTimerQueueTimer(&timer_, queue_, Callback, this, kPeriodMs, 0, WT_EXECUTEONLYONCE) != FALSE;
}

bool RefreshTick::Rearm() {
  if (!queue_) return false;
  if (timer_) ::DeleteTimerQueueTimer(queue_, timer_, INVALID_HANDLE_VALUE);
  timer_ = nullptr;
  return Arm();
}

void RefreshTick::Stop() {
  if (!queue_) return;
  ::DeleteTimerQueueEx(queue_, INVALID_HANDLE_VALUE);
  queue_ = nullptr;
  timer_ = nullptr;
}

void CALLBACK RefreshTick::Callback(void* self, BOOLEAN) {
  auto* tick = static_cast<RefreshTick*>(self);
  if (tick->pollingEnabled_ && *tick->pollingEnabled_) ::PostMessageW(tick->window_, UM_REFRESH, 0, 0);
}
