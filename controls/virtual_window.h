// VirtualWindow: a device context that draws into an off-screen bitmap of a rectangle and copies it
// to the target in one block when it ends, so a repaint does not flicker. Without the memory it
// draws straight to the target.
#pragma once
#include "framework/dc.h"

class VirtualWindow : public CDC {
 public:
  VirtualWindow(CDC* target, const RECT& rect);
  ~VirtualWindow() override;

  bool IsBuffered() const { return buffered_; }

  // The program-wide switch; always on.
  static bool doubleBuffering;

 private:
  CDC* target_;
  RECT rect_;
  CBitmap bitmap_;
  HGDIOBJ displaced_ = nullptr;
  bool buffered_ = false;
};
