// The Swivo controller's notice windows: CShowMsgTop (eleven text lines and one status icon) and
// CShowMsgIcon (a small popup with one line and an icon). Both are top-most tool windows made on
// the desktop by the controller thread, which owns, shows and destroys them.
#pragma once
#include <windows.h>

#include <string>

class CShowMsgTop {
 public:
  static constexpr int kLines = 11;
  static constexpr int kFirstLineId = 1046;
  // Icon types: 0 default, 1 controlling a peer, 2 controlled by a peer, 3 back to local, 4 error,
  // 5 hotkey list.
  enum IconType { kDefault = 0, kClient = 1, kServer = 2, kLocal = 3, kError = 4, kHotkey = 5 };

  CShowMsgTop() = default;
  ~CShowMsgTop() { Destroy(); }
  CShowMsgTop(const CShowMsgTop&) = delete;
  CShowMsgTop& operator=(const CShowMsgTop&) = delete;

  bool CreateOnDesktop(HWND owner);
  void Destroy();
  HWND Handle() const { return window_; }

  void ClearLines();
  void SetLine(int line, const std::wstring& text);
  // Lines from 2 on move 30 pixels left first (they carry an icon in front).
  void SetLineWithIcon(int line, const std::wstring& text);
  std::wstring Line(int line) const;
  // Client height for `lines` lines.
  void SetLineCount(int lines);
  void ShowStatusIcons();
  void Show();

  int iconType = kDefault;

 private:
  HWND window_ = nullptr;
  HWND lines_[kLines] = {};
  HWND icon_ = nullptr;
};

class CShowMsgIcon {
 public:
  static constexpr int kTextId = 1121;
  CShowMsgIcon() = default;
  ~CShowMsgIcon() { Destroy(); }
  CShowMsgIcon(const CShowMsgIcon&) = delete;
  CShowMsgIcon& operator=(const CShowMsgIcon&) = delete;

  // Mode 0 shows the information icon, 1 the return icon in its place.
  bool CreateOnDesktop(HWND owner, int iconMode, const std::wstring& text);
  void Destroy();
  HWND Handle() const { return window_; }
  // 220 pixels left of the desktop's right edge and 20 from its top, size and z-order kept.
  void MoveToCorner();

 private:
  HWND window_ = nullptr;
};
