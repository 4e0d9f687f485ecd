// The stop of an engine thread at shutdown: an engine that sends a message to the GUI thread while
// it stops still ends within its wait; one whose thread outlives the wait is left alive.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>

#include "shell/engine_stop.h"

namespace {

// A message-only window of the test thread that counts the messages the engine sends it.
class CountingWindow {
 public:
  CountingWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"EngineStopTestWindow";
    ::RegisterClassW(&wc);
    window_ = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }
  ~CountingWindow() { ::DestroyWindow(window_); }
  HWND Handle() const { return window_; }
  static inline std::atomic<int> received{0};

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
      ++received;
      return 1;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  HWND window_;
};

struct FakeEngine {
  std::atomic<bool> stop_{false};
  HANDLE stopEvent_ = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE thread_ = nullptr;
  HANDLE release_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);  // lets a stubborn thread end
  HWND window_ = nullptr;
  bool stubborn_ = false;
  static inline int closed = 0;
  static inline int deleted = 0;

  ~FakeEngine() {
    ++deleted;
    ::CloseHandle(release_);
  }
  void Close() {
    ++closed;
    ::CloseHandle(stopEvent_);
    ::CloseHandle(thread_);
  }
  void Start() { thread_ = ::CreateThread(nullptr, 0, Run, this, 0, nullptr); }
  static DWORD WINAPI Run(void* self) {
    auto* engine = static_cast<FakeEngine*>(self);
    ::WaitForSingleObject(engine->stopEvent_, INFINITE);
    // As the engines do: a last report to the window, answered only by the GUI thread.
    ::SendMessageW(engine->window_, WM_APP, 0, 0);
    if (engine->stubborn_) ::WaitForSingleObject(engine->release_, INFINITE);
    return 0;
  }
};

class EngineStopTest : public testing::Test {
 protected:
  void SetUp() override {
    CountingWindow::received = 0;
    FakeEngine::closed = FakeEngine::deleted = 0;
  }
  CountingWindow window_;
};

TEST_F(EngineStopTest, EngineThatReportsWhileStoppingEnds) {
  auto* engine = new FakeEngine();
  engine->window_ = window_.Handle();
  engine->Start();
  FakeEngine* slot = engine;
  EXPECT_TRUE(StopAndFreeEngine(slot, 3000)) << "the wait must answer the engine's SendMessage";
  EXPECT_EQ(nullptr, slot);
  EXPECT_EQ(1, CountingWindow::received.load());
  EXPECT_EQ(1, FakeEngine::closed);
  EXPECT_EQ(1, FakeEngine::deleted);
}

TEST_F(EngineStopTest, EngineWhoseThreadOutlivesTheWaitIsLeftAlive) {
  auto* engine = new FakeEngine();
  engine->window_ = window_.Handle();
  engine->stubborn_ = true;
  engine->Start();
  FakeEngine* slot = engine;
  EXPECT_FALSE(StopAndFreeEngine(slot, 500));
  EXPECT_EQ(nullptr, slot) << "the owner lets go of it";
  EXPECT_EQ(0, FakeEngine::closed);
  EXPECT_EQ(0, FakeEngine::deleted) << "never freed under its running thread";
  // The thread still uses its engine: let it end, then free it here.
  ::SetEvent(engine->release_);
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(engine->thread_, 5000));
  engine->Close();
  delete engine;
}

TEST_F(EngineStopTest, EngineThatNeverStartedIsFreedAtOnce) {
  auto* engine = new FakeEngine();
  FakeEngine* slot = engine;
  EXPECT_TRUE(StopAndFreeEngine(slot, 500));
  EXPECT_EQ(1, FakeEngine::deleted);
  FakeEngine* none = nullptr;
  EXPECT_TRUE(StopAndFreeEngine(none, 500)) << "no engine was made: nothing to stop";
}

}  // namespace
