#include "controls/virtual_window.h"

bool VirtualWindow::doubleBuffering = true;

VirtualWindow::VirtualWindow(CDC* target, const RECT& rect) : target_(target), rect_(rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (doubleBuffering && width > 0 && height > 0 && CreateCompatibleDC(target)) {
    if (bitmap_.CreateCompatibleBitmap(*target, width, height)) {
      displaced_ = SelectObject(&bitmap_);
      SetWindowOrg(rect.left, rect.top);
      buffered_ = true;
    } else {
      DeleteDC();
    }
  }
  if (!buffered_) Attach(*target);
}

VirtualWindow::~VirtualWindow() {
  if (!buffered_) {
    Detach();
    return;
  }
  ::BitBlt(*target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, m_hDC,
           rect_.left, rect_.top, SRCCOPY);
  SelectObject(displaced_);
  DeleteDC();
}
