// CSystemTray: the hidden window that owns the program's icon in the notification area: its tip,
// the start-up balloon, the popup menu on a right click, the double click, and the re-add after
// the taskbar is recreated or the work area changes.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "framework/wnd.h"

class CSystemTray : public CWnd {
 public:
  static constexpr UINT kIconId = 139;
  static constexpr UINT kMenuId = 139;

  CSystemTray();
  ~CSystemTray() override;

  // Creates the hidden window and adds the icon with its tip and a one-time balloon (the balloon
  // text and title are shown at this add only). False when the window or the add failed.
  bool Create(CWnd* parent, UINT callbackMessage, const wchar_t* tip, HICON icon,
              const wchar_t* balloonText, const wchar_t* balloonTitle);
  bool SetDefaultMenuItem(UINT item, bool byPosition);
  // Deletes the icon; true when it is removed.
  bool RemoveIcon();
  // The window that receives the menu's commands; empty: the application's main window.
  void SetTargetWnd(CWnd* target) { target_ = target; }

  bool IsHidden() const { return hidden_ != FALSE; }
  bool IsRemoved() const { return removed_ != FALSE; }
  const NOTIFYICONDATAW& IconData() const { return data_; }
  // The process-wide "TaskbarCreated" message.
  static UINT TaskbarCreatedMessage();

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual LRESULT OnTrayIconMessage(WPARAM iconId, LPARAM mouseMessage);
  virtual void PrepareMenu(HMENU) {}
  void OnTaskbarCreated();
  void OnSettingChange(UINT flag);

 private:
  HWND TargetWindow() const;
  // Shows the icon again with the creation flags: modified when the taskbar still has it, added
  // when it has not.
  void ShowIconAgain(bool stillInTaskbar);

  NOTIFYICONDATAW data_;
  BOOL enabled_ = FALSE;
  BOOL hidden_ = TRUE;
  BOOL removed_ = TRUE;
  BOOL showPending_ = FALSE;
  BOOL balloonsSupported_ = FALSE;
  CWnd* target_ = nullptr;
  UINT defaultItem_ = 0;
  BOOL defaultByPosition_ = TRUE;
  UINT creationFlags_ = 0;
};
