#include "controls/gdip_mem_dc.h"

namespace ns_gdiBtn {

CMemDC::CMemDC(CDC* target, const RECT* rect) : target_(target) {
  if (rect && !::IsRectEmpty(rect)) {
    rect_ = *rect;
  } else {
    target->GetClipBox(&rect_);
  }
  offScreen_ = !target->IsPrinting() && CreateCompatibleDC(target) &&
               bitmap_.CreateCompatibleBitmap(*target, rect_.Width(), rect_.Height());
  if (offScreen_) {
    displaced_ = SelectObject(&bitmap_);
    SetWindowOrg(rect_.left, rect_.top);
  } else {
    if (m_hDC) DeleteDC();
    Attach(*target);
  }
}

CMemDC::~CMemDC() {
  if (!offScreen_) {
    Detach();
    return;
  }
  target_->BitBlt(rect_.left, rect_.top, rect_.Width(), rect_.Height(), this, rect_.left, rect_.top, SRCCOPY);
  SelectObject(displaced_);
  DeleteDC();
}

}  // namespace ns_gdiBtn
