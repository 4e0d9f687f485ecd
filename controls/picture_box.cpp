#include "controls/picture_box.h"

#include <algorithm>

void CPictureBoxFile::SetBitmapFile(const std::wstring& path) {
  path_ = path;
  HANDLE loaded = ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  if (loaded) {
    bitmap_.DeleteObject();
    bitmap_.Attach(loaded);
    bitmap_.GetBitmap(&info_);
  }
  if (IsWindow()) Invalidate(true);
}

void CPictureBoxFile::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(client, RGB(255, 255, 255));
  // Only a picture that loaded is copied: an empty memory context would show whatever it holds.
  if (path_.empty() || !HasPicture()) return;
  CDC memory;
  if (!memory.CreateCompatibleDC(&dc)) return;
  HGDIOBJ old = memory.SelectObject(&bitmap_);
  // Unscaled, from the top-left corner; around a smaller picture the white stays.
  const int width = std::min(client.Width(), static_cast<int>(info_.bmWidth));
  const int height = std::min(client.Height(), static_cast<int>(info_.bmHeight));
  dc.BitBlt(0, 0, width, height, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
}
