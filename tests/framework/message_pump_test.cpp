// The wait on a worker together with all input: what arrives is dispatched, a quit survives it.
#include <gtest/gtest.h>

#include <thread>
#include "framework/framework.h"

namespace {

class CountingWnd : public CWnd {
 public:
  int posted = 0, sent = 0, timers = 0;
  CountingWnd() {
    MapMessage(WM_APP, [this](WPARAM, LPARAM) { return LRESULT(++posted); });
    MapMessage(WM_APP + 1, [this](WPARAM, LPARAM) { return LRESULT(++sent); });
  }
  void OnTimer(UINT_PTR) override { ++timers; }
  bool Make() { return CreateEx(0, DefaultChildWindowClass(), L"", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0); }
};

HANDLE StartWorker(HWND target, DWORD workMs) {
  struct Job { HWND target; DWORD workMs; };
  auto* job = new Job{target, workMs};
  return ::CreateThread(nullptr, 0, [](void* p) -> DWORD {
    auto* j = static_cast<Job*>(p);
    ::PostMessageW(j->target, WM_APP, 0, 0);
    ::SendMessageW(j->target, WM_APP + 1, 0, 0);  // blocks until the waiting thread dispatches it
    ::Sleep(j->workMs);
    delete j;
    return 0;
  }, job, 0, nullptr);
}

TEST(MessagePumpTest, WaitDispatchesPostedAndSentMessagesUntilTheWorkerEnds) {
  CountingWnd wnd;
  ASSERT_TRUE(wnd.Make());
  HANDLE worker = StartWorker(wnd, 100);
  ASSERT_NE(nullptr, worker);
  EXPECT_EQ(WAIT_OBJECT_0, WaitWithMessages(worker, 10000));
  ::CloseHandle(worker);
  EXPECT_EQ(1, wnd.posted);
  EXPECT_EQ(1, wnd.sent);
}

TEST(MessagePumpTest, QuitDuringTheWaitIsPostedAgainAfterIt) {
  CountingWnd wnd;
  ASSERT_TRUE(wnd.Make());
  ::PostQuitMessage(3);
  HANDLE worker = StartWorker(wnd, 200);
  EXPECT_EQ(WAIT_OBJECT_0, WaitWithMessages(worker, 10000));
  ::CloseHandle(worker);
  EXPECT_EQ(1, wnd.sent);  // the wait went on after the quit
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(3u, msg.wParam);
  EXPECT_FALSE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // posted once
}

TEST(MessagePumpTest, WaitTimesOutOnAHandleThatStaysUnsignalled) {
  HANDLE never = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitWithMessages(never, 100));
  ::CloseHandle(never);
}

TEST(MessagePumpTest, PumpForATimeDispatchesTimers) {
  CountingWnd wnd;
  ASSERT_TRUE(wnd.Make());
  wnd.SetTimer(1, 20);
  PumpMessagesFor(300);
  wnd.KillTimer(1);
  EXPECT_GE(wnd.timers, 1);
}

TEST(MessagePumpTest, DispatchPendingStopsAtAQuitAndKeepsIt) {
  CountingWnd wnd;
  ASSERT_TRUE(wnd.Make());
  wnd.PostMessage(WM_APP);
  ::PostQuitMessage(9);
  EXPECT_FALSE(DispatchPendingMessages());
  EXPECT_EQ(1, wnd.posted);
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(9u, msg.wParam);
}

}  // namespace

namespace {

// The program's main loop: every message is offered to PreTranslateMessage before dispatch, and
// the loop ends with the quit's code.
TEST(MessagePumpTest, ProgramLoopWalksPreTranslateAndEndsWithTheQuitCode) {
  class Watcher : public CountingWnd {
   public:
    int offered = 0;
    BOOL PreTranslateMessage(MSG* msg) override {
      if (msg->message == WM_APP) ++offered;
      return msg->message == WM_APP && offered == 2;  // the second one is taken here
    }
  };
  class App : public CWinAppEx {
   public:
    Watcher watcher;
    BOOL InitInstance() override {
      if (!watcher.Make()) return FALSE;
      watcher.PostMessage(WM_APP);
      watcher.PostMessage(WM_APP);
      ::PostQuitMessage(4);
      return TRUE;
    }
  } app;
  EXPECT_EQ(&app, AfxGetApp());
  EXPECT_EQ(4, AfxWinMain());
  EXPECT_EQ(2, app.watcher.offered);
  EXPECT_EQ(1, app.watcher.posted);
}

}  // namespace
