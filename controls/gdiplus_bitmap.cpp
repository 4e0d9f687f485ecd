#include "controls/gdiplus_bitmap.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

CGdiPlusBitmap::~CGdiPlusBitmap() { Empty(); }

void CGdiPlusBitmap::Empty() {
  if (bitmap_) GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap_));
  bitmap_ = nullptr;
}

UINT CGdiPlusBitmap::Width() const {
  UINT width = 0;
  if (bitmap_) GdipGetImageWidth(reinterpret_cast<GpImage*>(bitmap_), &width);
  return width;
}

UINT CGdiPlusBitmap::Height() const {
  UINT height = 0;
  if (bitmap_) GdipGetImageHeight(reinterpret_cast<GpImage*>(bitmap_), &height);
  return height;
}

CGdiPlusBitmapResource::~CGdiPlusBitmapResource() {
  Empty();
  FreeBlock();
}

void CGdiPlusBitmapResource::FreeBlock() {
  if (!block_) return;
  GlobalUnlock(block_);
  GlobalFree(block_);
  block_ = nullptr;
}

bool CGdiPlusBitmapResource::Load(UINT id, const wchar_t* type) {
  Empty();
  FreeBlock();
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), type);
  if (!found) return false;
  const DWORD size = SizeofResource(nullptr, found);
  if (size == 0) return false;
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return false;

  block_ = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block_) return false;
  void* copy = GlobalLock(block_);
  if (!copy) {
    FreeBlock();
    return false;
  }
  std::memcpy(copy, bytes, size);
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(block_, FALSE, &stream) == S_OK) {
    GpBitmap* bitmap = nullptr;
    const Status status = GdipCreateBitmapFromStream(stream, &bitmap);
    stream->Release();
    if (status == Ok && bitmap) {
      bitmap_ = bitmap;
      return true;
    }
    if (bitmap) GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap));
  }
  FreeBlock();
  return false;
}
