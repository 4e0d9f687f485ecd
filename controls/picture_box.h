// CPictureBoxFile: a static control that shows a .bmp file from disk at its top-left corner.
#pragma once
#include <string>

#include "framework/simple_controls.h"

class CPictureBoxFile : public CStatic {
 public:
  // A file that does not load keeps the previous picture.
  void SetBitmapFile(const std::wstring& path);
  bool HasPicture() const { return bitmap_.GetSafeHandle() != nullptr; }

 protected:
  void OnPaint() override;

 private:
  std::wstring path_;
  CBitmap bitmap_;
  BITMAP info_ = {};
};
