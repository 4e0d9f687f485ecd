#include "peers/countdown_wait.h"

#include "framework/message_pump.h"

CountdownThread::CountdownThread(int steps, DWORD stepMs, std::function<void(int seconds)> tick)
    : steps_(steps), stepMs_(stepMs), tick_(std::move(tick)) {}

CountdownThread::~CountdownThread() {
  Stop();
  if (thread_) ::CloseHandle(thread_);
}

bool CountdownThread::Start() {
  thread_ = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
  return thread_ != nullptr;
}

void CountdownThread::Stop() {
  stop_ = true;
  // The tick writes into a window of the waiting thread: keep dispatching while it ends.
  if (thread_) WaitWithMessages(thread_, 10000);
}

DWORD WINAPI CountdownThread::Run(void* self) {
  auto* countdown = static_cast<CountdownThread*>(self);
  for (int step = 1; step <= countdown->steps_ && !countdown->stop_; ++step) {
    ::Sleep(countdown->stepMs_);
    if (step % 4 == 0 && !countdown->stop_ && countdown->tick_) {
      countdown->tick_(static_cast<int>(step * countdown->stepMs_ / 1000));
    }
  }
  return 0;
}

int WaitAnyWithMessages(const HANDLE* handles, DWORD count) {
  for (;;) {
    const DWORD woken = ::MsgWaitForMultipleObjects(count, handles, FALSE, INFINITE, QS_ALLINPUT);
    if (woken < WAIT_OBJECT_0 + count) return static_cast<int>(woken - WAIT_OBJECT_0);
    if (woken != WAIT_OBJECT_0 + count) return -1;
    if (!DispatchPendingMessages()) return -1;
  }
}
