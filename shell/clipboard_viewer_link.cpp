#include "shell/clipboard_viewer_link.h"

void ClipboardViewerLink::Join(HWND window) {
  window_ = window;
  next_ = ::SetClipboardViewer(window);
  joined_ = true;
}

void ClipboardViewerLink::Leave() {
  if (!joined_) return;
  ::ChangeClipboardChain(window_, next_);
  joined_ = false;
  next_ = nullptr;
}

void ClipboardViewerLink::OnChangeCbChain(HWND removed, HWND next) {
  if (removed == next_) {
    next_ = next;
  } else if (next_) {
    ::SendMessageW(next_, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed), reinterpret_cast<LPARAM>(next));
  }
}

void ClipboardViewerLink::OnDrawClipboard() {
  if (next_) ::SendMessageW(next_, WM_DRAWCLIPBOARD, 0, 0);
}
