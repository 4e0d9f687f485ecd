// The main dialog as a real window in this process: the tabs it shows for each installation, the
// messages of its bus sent from another thread with their effects, the close button and the system
// menu, the refresh tick and its end, the clipboard viewer chain with real viewers, and what a
// start that quits at once leaves of COM.
#include <gtest/gtest.h>

#include <objbase.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "peers/km_input_capture.h"
#include "shell/dialog_ids.h"
#include "shell/instance_events.h"
#include "shell/main_messages.h"
#include "tests/shell/main_dialog_fixture.h"
#include "tests/shell/modal_script.h"

namespace {

using main_dialog_test::Installation;
using main_dialog_test::MainDialogRun;
using main_dialog_test::TabCaptions;
using main_dialog_test::WaitUntil;
using main_dialog_test::WaitUntilFromWorker;

// A visible top-level window that window owns (a modal dialog over it), or null.
HWND VisibleOwnedWindow(HWND window) {
  struct Search {
    HWND owner;
    HWND found;
  } search = {window, nullptr};
  ::EnumThreadWindows(::GetWindowThreadProcessId(window, nullptr), [](HWND candidate, LPARAM param) -> BOOL {
    auto* s = reinterpret_cast<Search*>(param);
    if (::GetWindow(candidate, GW_OWNER) != s->owner || !::IsWindowVisible(candidate)) return TRUE;
    s->found = candidate;
    return FALSE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The tabs of the pages that exist today: My Network and Swivo with an installation, Driver,
// Version and Help always.
const std::vector<std::wstring> kAlwaysTabs = {L"Driver", L"Version", L"Help"};
const std::vector<std::wstring> kInstalledTabs = {L"My Network", L"Swivo", L"Driver", L"Version", L"Help"};

TEST(MainDialog, TabSetByInstallation) {
  struct Case {
    const char* what;
    Installation installation;
    std::vector<std::wstring> tabs;
    bool refreshTick;
  };
  const Case cases[] = {
      {"installation files absent", Installation::kNone, kAlwaysTabs, false},
      {"installation with a WAN flag", Installation::kWithWanFlag, kInstalledTabs, true},
      {"installation without a WAN flag", Installation::kWithVirtualAdapters,
       {L"My Network", L"Swivo", L"Status", L"Routing", L"Driver", L"Version", L"Help"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MainDialogRun run(c.installation);
    std::vector<std::wstring> shown;
    bool selectedIsFirst = false;
    run.Run([&](CCorvaneDlg& dialog) {
      shown = TabCaptions(dialog);
      selectedIsFirst = dialog.TabControl().Tabs().empty() ||
                        dialog.TabControl().Selected() == dialog.TabControl().Tabs().front();
      // The tick runs only with an installation: give it one period and a little more.
      RunLater(2600, [&dialog] { dialog.Quit(); });
    });
    EXPECT_EQ(c.tabs, shown);
    EXPECT_TRUE(selectedIsFirst);
    EXPECT_EQ(c.installation != Installation::kNone, run.Dialog().Settings().installationPresent);
    EXPECT_EQ(c.refreshTick, run.Dialog().RefreshTicks() > 0);
  }
}

// The flow parse's log records reach the Log dialog's memory through the main dialog's message,
// which keeps the same request from the same address once a minute.
TEST(MainDialog, LogRecordsReachTheLogDialog) {
  MainDialogRun run(Installation::kWithVirtualAdapters);
  size_t afterFirst = 0, afterRepeat = 0, afterOther = 0;
  run.Run([&](CCorvaneDlg& dialog) {
    auto send = [&dialog](uint32_t type, uint32_t address) {
      auto* record = static_cast<LogRecord*>(::HeapAlloc(::GetProcessHeap(), 0, sizeof(LogRecord)));
      record->type = type;
      record->address = address;
      dialog.SendMessage(UM_LOG_RECORD, 0, reinterpret_cast<LPARAM>(record));
    };
    const CLogs& logs = dialog.StatusPage().Connections().Logs();
    send(kLogRemoteDesktop, 0x0A090007);
    afterFirst = logs.Ring().Size();
    send(kLogRemoteDesktop, 0x0A090007);
    afterRepeat = logs.Ring().Size();
    send(kLogFileSharing, 0x0A090007);
    afterOther = logs.Ring().Size();
    dialog.Quit();
  });
  EXPECT_EQ(1u, afterFirst);
  EXPECT_EQ(1u, afterRepeat);
  EXPECT_EQ(2u, afterOther);
}

// Without a language library the program's own templates carry the main dialog, its pages and
// the tray menu.
TEST(MainDialog, BuiltInTemplatesWhenNoLanguageLibrary) {
  MainDialogRun run(Installation::kNone, L"", true);
  std::vector<std::wstring> shown;
  bool pagesShown = false, trayShown = false;
  run.Run([&](CCorvaneDlg& dialog) {
    shown = TabCaptions(dialog);
    pagesShown = !dialog.TabControl().Tabs().empty() && ::IsWindowVisible(dialog.TabControl().Tabs().front()->window);
    trayShown = !dialog.Tray().IsHidden();
    dialog.Quit();
  });
  EXPECT_EQ(kAlwaysTabs, shown);
  EXPECT_TRUE(pagesShown);
  EXPECT_TRUE(trayShown);
}

// Every message of the bus that has its receiver here, sent from a thread of its own as the
// engines send them, each followed by the look at its effect.
TEST(MainDialog, MessagesFromAnotherThread) {
  MainDialogRun run(Installation::kWithVirtualAdapters);
  std::vector<std::string> failures;
  std::thread engine;
  run.Run([&](CCorvaneDlg& dialog) {
    HWND window = dialog.GetSafeHwnd();
    engine = std::thread([&dialog, window, &failures] {
      auto expect = [&failures](bool ok, const char* what) {
        if (!ok) failures.push_back(what);
      };
      // UM_REFRESH: the tick's own, then one posted here; each counts one refresh.
      expect(WaitUntilFromWorker([&] { return dialog.RefreshTicks() >= 1; }, 6000), "the refresh tick posts UM_REFRESH");
      uint32_t before = dialog.RefreshTicks();
      ::PostMessageW(window, UM_REFRESH, 0, 0);
      expect(WaitUntilFromWorker([&] { return dialog.RefreshTicks() > before; }, 3000), "a posted UM_REFRESH refreshes");

      // UM_BRING_TO_FRONT: a minimised window comes back and to the front.
      ::SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      expect(WaitUntilFromWorker([&] { return ::IsIconic(window) != FALSE; }, 3000), "minimised");
      ::PostMessageW(window, UM_BRING_TO_FRONT, 0, 0);
      expect(WaitUntilFromWorker([&] { return !::IsIconic(window) && ::GetForegroundWindow() == window; }, 3000),
             "UM_BRING_TO_FRONT restores the window and makes it the foreground window");

      // UM_QUIT_OR_ABOUT 0 shows the About box modally; UM_CLOSE_DIALOGS ends it.
      std::thread about([window] { ::SendMessageW(window, UM_QUIT_OR_ABOUT, 0, 0); });
      HWND aboutBox = nullptr;
      expect(WaitUntilFromWorker([&] {
               aboutBox = VisibleOwnedWindow(window);
               return aboutBox != nullptr;
             }, 3000), "UM_QUIT_OR_ABOUT 0 shows the About box");
      expect(!::IsWindowEnabled(window), "the About box is modal");
      ::SendMessageW(window, UM_CLOSE_DIALOGS, 0, 0);
      about.join();  // its SendMessage returns once the About box has ended
      expect(!::IsWindow(aboutBox), "UM_CLOSE_DIALOGS ends the About box");
      expect(::IsWindowEnabled(window) != FALSE, "the main window takes input again");

      // UM_CLOSE_DEVICE: polling stops, and with it the tick, for good.
      ::SendMessageW(window, UM_CLOSE_DEVICE, 0, 0);
      uint32_t stopped = dialog.RefreshTicks();
      ::Sleep(4500);
      ::PostMessageW(window, UM_REFRESH, 0, 0);
      ::Sleep(300);
      expect(dialog.RefreshTicks() == stopped, "no refresh after UM_CLOSE_DEVICE");

      // UM_KM_MODE: the controlled flag follows the controller thread's state; a slot number
      // shown is no control; a restart of controller mode from the My Network page turns it on,
      // and being taken over turns it off.
      ::SendMessageW(window, UM_KM_MODE, 3, 0);
      expect(!dialog.Controlled(), "a number notice is no control by a peer");
      ::SendMessageW(window, UM_KM_MODE, 0, 1);
      expect(KmHooksInstalled(), "UM_KM_MODE (0, 1) turns controller mode on");
      ::SendMessageW(window, UM_KM_MODE, 2, 0);
      expect(dialog.Controlled(), "state 2: controlled");
      expect(!KmHooksInstalled(), "taken over: this computer's own controller mode ends");
      ::SendMessageW(window, UM_KM_MODE, 0, 0);
      expect(!dialog.Controlled(), "state 0: no longer controlled");

      // UM_QUIT_OR_ABOUT 1 ends the program.
      ::SendMessageW(window, UM_QUIT_OR_ABOUT, 1, 0);
    });
  });
  if (engine.joinable()) engine.join();
  for (const std::string& failure : failures) ADD_FAILURE() << failure;
  EXPECT_TRUE(run.Dialog().Closing());
}

// The close button is really clicked: it minimises. The system menu holds About and Quit, and its
// Quit ends the run.
TEST(MainDialog, CloseButtonMinimisesAndSystemMenuQuitEnds) {
  MainDialogRun run;
  bool minimised = false, stillThere = false;
  std::wstring aboutText, quitText;
  run.Run([&](CCorvaneDlg& dialog) {
    HWND window = dialog.GetSafeHwnd();
    HMENU systemMenu = ::GetSystemMenu(window, FALSE);
    wchar_t text[64] = {};
    ::GetMenuStringW(systemMenu, CCorvaneDlg::kSysMenuAbout, text, 64, MF_BYCOMMAND);
    aboutText = text;
    ::GetMenuStringW(systemMenu, CCorvaneDlg::kSysMenuQuit, text, 64, MF_BYCOMMAND);
    quitText = text;

    // Find the close button on the caption and click it for real.
    CRect frame;
    ::GetWindowRect(window, &frame);
    POINT button = {-1, -1};
    int y = frame.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2;
    for (int x = frame.right - 1; x > frame.right - 80 && button.x < 0; --x) {
      if (::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) button = {x - 4, y};
    }
    ASSERT_GE(button.x, 0) << "no close button on the caption";
    ::SetForegroundWindow(window);
    ::SetCursorPos(button.x, button.y);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, click, sizeof(INPUT));
    minimised = WaitUntil([&] { return ::IsIconic(window) != FALSE; }, 3000);
    stillThere = ::IsWindow(window) && !dialog.Closing();
    ::PostMessageW(window, WM_SYSCOMMAND, CCorvaneDlg::kSysMenuQuit, 0);
  });
  EXPECT_TRUE(minimised) << "the close button minimises";
  EXPECT_TRUE(stillThere) << "and ends nothing";
  EXPECT_TRUE(run.Dialog().Closing()) << "the system menu's Quit ends the run";
  EXPECT_EQ(L"About", aboutText);
  EXPECT_EQ(L"Quit Corvane", quitText);
}

// A viewer of the chain as a well-behaved program writes it: passes changes on and repairs its
// own link. Records what reached it.
class TestViewer {
 public:
  TestViewer() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ClipboardChainTestViewer";
    ::RegisterClassW(&wc);
    window_ = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, this);
    next_ = ::SetClipboardViewer(window_);
  }
  ~TestViewer() {
    Leave();
    ::DestroyWindow(window_);
  }
  void Leave() {
    if (joined_) ::ChangeClipboardChain(window_, next_);
    joined_ = false;
  }
  HWND Handle() const { return window_; }
  int draws = 0;
  std::vector<HWND> removedSeen;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      ::SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestViewer*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_DRAWCLIPBOARD) {
      ++self->draws;
      if (self->next_) ::SendMessageW(self->next_, message, wParam, lParam);
      return 0;
    }
    if (self && message == WM_CHANGECBCHAIN) {
      self->removedSeen.push_back(reinterpret_cast<HWND>(wParam));
      if (reinterpret_cast<HWND>(wParam) == self->next_) {
        self->next_ = reinterpret_cast<HWND>(lParam);
      } else if (self->next_) {
        ::SendMessageW(self->next_, message, wParam, lParam);
      }
      return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  HWND window_ = nullptr;
  HWND next_ = nullptr;
  bool joined_ = true;
};

void ChangeClipboard(HWND owner, const wchar_t* text) {
  for (int attempt = 0; attempt < 50 && !::OpenClipboard(owner); ++attempt) PumpMessagesFor(20);
  ::EmptyClipboard();
  size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  memcpy(::GlobalLock(memory), text, bytes);
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_UNICODETEXT, memory);
  ::CloseClipboard();
}

// The chain is dialog -> first -> second -> third. The next viewer (first) leaves: the dialog links
// to second. One further down (third) leaves: the dialog passes the notice on to second, which
// repairs its own link. Each time a real clipboard change shows who is still reached.
TEST(MainDialog, ClipboardChainIsRepaired) {
  TestViewer third, second, first;
  MainDialogRun run;
  struct Seen {
    HWND nextAfterFirstLeft = nullptr;
    int firstDraws = -1, secondDraws = -1, thirdDraws = -1;
    std::vector<HWND> secondRemovals;
    int thirdDrawsAfter = -1, secondDrawsAfter = -1;
    HWND nextBefore = nullptr;
  } seen;
  run.Run([&](CCorvaneDlg& dialog) {
    seen.nextBefore = dialog.ClipboardViewer().NextViewer();
    first.Leave();
    seen.nextAfterFirstLeft = dialog.ClipboardViewer().NextViewer();
    int firstBefore = first.draws, secondBefore = second.draws, thirdBefore = third.draws;
    ChangeClipboard(dialog.GetSafeHwnd(), L"after the next viewer left");
    WaitUntil([&] { return third.draws > thirdBefore; }, 3000);
    seen.firstDraws = first.draws - firstBefore;
    seen.secondDraws = second.draws - secondBefore;
    seen.thirdDraws = third.draws - thirdBefore;

    third.Leave();
    seen.secondRemovals = second.removedSeen;
    secondBefore = second.draws;
    thirdBefore = third.draws;
    ChangeClipboard(dialog.GetSafeHwnd(), L"after one further down left");
    WaitUntil([&] { return second.draws > secondBefore; }, 3000);
    PumpMessagesFor(200);
    seen.secondDrawsAfter = second.draws - secondBefore;
    seen.thirdDrawsAfter = third.draws - thirdBefore;
    dialog.Quit();
  });
  EXPECT_EQ(first.Handle(), seen.nextBefore) << "the dialog joined at the head of the chain";
  EXPECT_EQ(second.Handle(), seen.nextAfterFirstLeft) << "the next viewer's successor became the next viewer";
  EXPECT_EQ(0, seen.firstDraws) << "the viewer that left is no longer reached";
  EXPECT_EQ(1, seen.secondDraws);
  EXPECT_EQ(1, seen.thirdDraws);
  EXPECT_EQ(std::vector<HWND>{third.Handle()}, seen.secondRemovals) << "the notice of one further down is passed on";
  EXPECT_EQ(1, seen.secondDrawsAfter);
  EXPECT_EQ(0, seen.thirdDrawsAfter) << "the chain no longer reaches the viewer that left";
  EXPECT_FALSE(run.Dialog().ClipboardViewer().Joined()) << "the dialog left the chain at its end";
}

// A start that only passes a request on, or that finds COM set up otherwise on its thread, must
// release only what it made: the COM of the thread stays as the caller had it.
TEST(MainDialog, StartThatQuitsReleasesOnlyWhatItMade) {
  struct Case {
    const char* what;
    const wchar_t* commandLine;
    bool holdMarker;
  };
  const Case cases[] = {
      {"QUITAPP", L"QUITAPP", false},
      {"second instance", L"", true},
      {"a normal run on a single-threaded apartment", L"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(S_OK, ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    HANDLE marker = c.holdMarker ? ::CreateEventW(nullptr, FALSE, FALSE, kInstanceMarkerEvent) : nullptr;
    HANDLE front = ::CreateEventW(nullptr, FALSE, FALSE, kBringToFrontEvent);
    bool shown = false;
    {
      MainDialogRun run(Installation::kNone, c.commandLine);
      run.Run([&](CCorvaneDlg& dialog) {
        shown = true;
        dialog.Quit();
      });
      EXPECT_EQ(c.holdMarker || std::wstring(c.commandLine) == L"QUITAPP", run.Dialog().StartupQuit());
    }
    EXPECT_EQ(!c.holdMarker && std::wstring(c.commandLine).empty(), shown) << "a start that quits shows no window";
    if (c.holdMarker) EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(front, 0)) << "the first instance was asked forward";
    EXPECT_EQ(S_FALSE, ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) << "the thread's apartment is still there";
    ::CoUninitialize();
    ::CoUninitialize();
    if (marker) ::CloseHandle(marker);
    ::CloseHandle(front);
  }
}

}  // namespace
