// The main dialog's place in the clipboard viewer chain: it joins at initialisation, passes every
// change on to the next viewer, repairs the chain when a viewer after it leaves, and leaves at
// destruction.
#pragma once
#include <windows.h>

class ClipboardViewerLink {
 public:
  void Join(HWND window);
  void Leave();
  // WM_CHANGECBCHAIN: the leaver is the next viewer (take its successor) or further down (pass
  // the message on).
  void OnChangeCbChain(HWND removed, HWND next);
  // WM_DRAWCLIPBOARD: on to the next viewer.
  void OnDrawClipboard();

  bool Joined() const { return joined_; }
  HWND NextViewer() const { return next_; }

 private:
  HWND window_ = nullptr;
  HWND next_ = nullptr;
  bool joined_ = false;
};
