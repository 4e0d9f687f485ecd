// ns_gdiBtn::CMemDC: an off-screen device context over a rectangle of a target, copied to the
// target in one block when it ends (straight to the target when that is a printer).
#pragma once
#include "framework/dc.h"

namespace ns_gdiBtn {

class CMemDC : public CDC {
 public:
  CMemDC(CDC* target, const RECT* rect = nullptr);
  ~CMemDC() override;
  const CRect& Rect() const { return rect_; }

 private:
  CBitmap bitmap_;
  HGDIOBJ displaced_ = nullptr;
  CDC* target_;
  CRect rect_;
  bool offScreen_ = false;
};

}  // namespace ns_gdiBtn
