// GDI+ bitmaps of the image buttons: CGdiPlusBitmap holds one, CGdiPlusBitmapResource makes it
// from a PNG resource of the program's own file, whose bytes it keeps for as long as the bitmap.
#pragma once
#include <windows.h>

namespace Gdiplus {
class GpBitmap;
}

class CGdiPlusBitmap {
 public:
  CGdiPlusBitmap() = default;
  CGdiPlusBitmap(const CGdiPlusBitmap&) = delete;
  CGdiPlusBitmap& operator=(const CGdiPlusBitmap&) = delete;
  virtual ~CGdiPlusBitmap();

  Gdiplus::GpBitmap* Bitmap() const { return bitmap_; }
  UINT Width() const;
  UINT Height() const;

 protected:
  void Empty();
  Gdiplus::GpBitmap* bitmap_ = nullptr;
};

class CGdiPlusBitmapResource : public CGdiPlusBitmap {
 public:
  ~CGdiPlusBitmapResource() override;
  // Replaces what was held; false when the resource is missing, empty or not an image.
  bool Load(UINT id, const wchar_t* type = L"PNG");

 private:
  void FreeBlock();
  HGLOBAL block_ = nullptr;
};
