// The tray icon of the running main dialog in the prefix's notification area: its tip and the
// balloon given once, the right click's menu whose Quit ends the program (clicked for real), the
// double click, and the icon coming back after a work-area change and a new taskbar.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <thread>

#include "shell/dialog_ids.h"
#include "shell/main_messages.h"
#include "shell/system_tray.h"
#include "tests/shell/main_dialog_fixture.h"
#include "tests/shell/modal_script.h"
#include "tests/shell/window_shot.h"

namespace {

using main_dialog_test::MainDialogRun;
using main_dialog_test::WaitUntil;
using main_dialog_test::WaitUntilFromWorker;

// Whether the notification area holds the icon now: only an icon it has can be modified.
bool TaskbarHasIcon(HWND trayWindow) {
  NOTIFYICONDATAW probe = {};
  probe.cbSize = sizeof(probe);
  probe.hWnd = trayWindow;
  probe.uID = CSystemTray::kIconId;
  return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

// What Explorer's restart does to the icons: the new taskbar has none of them.
void ForgetIcon(HWND trayWindow) {
  NOTIFYICONDATAW gone = {};
  gone.cbSize = sizeof(gone);
  gone.hWnd = trayWindow;
  gone.uID = CSystemTray::kIconId;
  ::Shell_NotifyIconW(NIM_DELETE, &gone);
}

TEST(TrayIcon, AddedWithTipAndOneBalloon) {
  MainDialogRun run;
  bool present = false;
  std::wstring tip, balloonTitle, balloonLeft;
  run.Run([&](CCorvaneDlg& dialog) {
    CSystemTray& tray = dialog.Tray();
    present = TaskbarHasIcon(tray.GetSafeHwnd()) && !tray.IsHidden();
    tip = tray.IconData().szTip;
    balloonTitle = tray.IconData().szInfoTitle;
    balloonLeft = tray.IconData().szInfo;
    dialog.Quit();
  });
  EXPECT_TRUE(present);
  EXPECT_EQ(L"Corvane", tip);
  EXPECT_EQ(L"Corvane is running", balloonTitle);
  EXPECT_EQ(L"", balloonLeft) << "the balloon text is given to the first add only";
}

// The work area changes (the taskbar moved): the icon is still there and stays shown. Then the
// taskbar is recreated without it: "TaskbarCreated" (which Wine never sends by itself) brings it
// back, without a balloon. An add in place of the modify after the work-area change would fail,
// mark the icon hidden, and lose it here.
TEST(TrayIcon, SurvivesWorkAreaChangeAndNewTaskbar) {
  MainDialogRun run;
  bool afterWorkArea = false, hiddenAfterWorkArea = true, afterNewTaskbar = false, hiddenAfterNewTaskbar = true;
  bool goneBeforeRestart = false;
  std::wstring balloon = L"?";
  run.Run([&](CCorvaneDlg& dialog) {
    CSystemTray& tray = dialog.Tray();
    HWND trayWindow = tray.GetSafeHwnd();
    ::SendMessageW(trayWindow, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    afterWorkArea = TaskbarHasIcon(trayWindow);
    hiddenAfterWorkArea = tray.IsHidden();

    ForgetIcon(trayWindow);
    goneBeforeRestart = !TaskbarHasIcon(trayWindow);
    ::SendMessageW(trayWindow, CSystemTray::TaskbarCreatedMessage(), 0, 0);
    afterNewTaskbar = TaskbarHasIcon(trayWindow);
    hiddenAfterNewTaskbar = tray.IsHidden();
    balloon = tray.IconData().szInfo;
    dialog.Quit();
  });
  EXPECT_TRUE(afterWorkArea);
  EXPECT_FALSE(hiddenAfterWorkArea);
  ASSERT_TRUE(goneBeforeRestart);
  EXPECT_TRUE(afterNewTaskbar) << "the icon is back on the new taskbar";
  EXPECT_FALSE(hiddenAfterNewTaskbar);
  EXPECT_EQ(L"", balloon) << "no balloon at the re-add";
}

// The menu window of the popup that the right click opened, visible; null until there is one.
HWND OpenPopupMenu() {
  HWND menu = ::FindWindowW(L"#32768", nullptr);
  return menu && ::IsWindowVisible(menu) ? menu : nullptr;
}

TEST(TrayIcon, RightClickMenuQuitEnds) {
  MainDialogRun run;
  std::thread user;
  bool menuShown = false, clicked = false;
  std::wstring quitItemText;
  run.Run([&](CCorvaneDlg& dialog) {
    HWND trayWindow = dialog.Tray().GetSafeHwnd();
    ::SetCursorPos(300, 300);
    user = std::thread([&] {
      HWND menuWindow = nullptr;
      menuShown = WaitUntilFromWorker([&] { return (menuWindow = OpenPopupMenu()) != nullptr; }, 5000);
      if (!menuShown) return;
      ::Sleep(300);
      SaveWindowPng(menuWindow, L"tray_menu_eng");
      HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
      int count = ::GetMenuItemCount(menu);
      for (int i = 0; i < count; ++i) {
        if (::GetMenuItemID(menu, i) != ID_TRAY_QUIT) continue;
        wchar_t text[64] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        quitItemText = text;
        RECT item;
        if (!::GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &item)) return;
        ::SetCursorPos((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        ::Sleep(100);
        INPUT click[2] = {};
        click[0].type = click[1].type = INPUT_MOUSE;
        click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, click, sizeof(INPUT));
        clicked = true;
      }
    });
    // What the notification area sends on a right click's release.
    ::PostMessageW(trayWindow, UM_TRAY_NOTIFY, CSystemTray::kIconId, WM_RBUTTONUP);
  });
  if (user.joinable()) user.join();
  EXPECT_TRUE(menuShown) << "the right click shows menu 139";
  EXPECT_TRUE(clicked);
  EXPECT_EQ(L"&Quit", quitItemText);
  EXPECT_TRUE(run.Dialog().Closing()) << "the menu's Quit ends the program";
}

TEST(TrayIcon, DoubleClickBringsTheWindowForward) {
  MainDialogRun run;
  bool forward = false;
  run.Run([&](CCorvaneDlg& dialog) {
    HWND window = dialog.GetSafeHwnd();
    ::ShowWindow(window, SW_MINIMIZE);
    ::SetForegroundWindow(::GetDesktopWindow());
    ::SendMessageW(dialog.Tray().GetSafeHwnd(), UM_TRAY_NOTIFY, CSystemTray::kIconId, WM_LBUTTONDBLCLK);
    forward = WaitUntil([&] { return ::GetForegroundWindow() == window; }, 3000);
    dialog.Quit();
  });
  EXPECT_TRUE(forward);
}

}  // namespace
