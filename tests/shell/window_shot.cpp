#include "tests/shell/window_shot.h"

#include <objidl.h>  // left out by WIN32_LEAN_AND_MEAN, needed by GDI+
#include <gdiplus.h>

namespace {
// The program's build folder as Wine sees it (the Linux root is drive Z:).
std::wstring WindowsPathOf(const char* linuxPath) {
  std::wstring path = L"Z:";
  for (const char* c = linuxPath; *c; ++c) path += (*c == '/') ? L'\\' : static_cast<wchar_t>(*c);
  return path;
}

const CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
}  // namespace

std::wstring ScreenshotFolder() { return WindowsPathOf(CORVANE_BINARY_DIR) + L"\\screenshots"; }

bool SaveWindowPng(HWND window, const std::wstring& name) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  RECT frame;
  if (!::GetWindowRect(window, &frame)) return false;
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);

  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  bool saved = false;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) {
    ::CreateDirectoryW(ScreenshotFolder().c_str(), nullptr);
    std::wstring file = ScreenshotFolder() + L"\\" + name + L".png";
    Gdiplus::GpBitmap* image = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image) == Gdiplus::Ok) {
      saved = Gdiplus::DllExports::GdipSaveImageToFile(image, file.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
      Gdiplus::DllExports::GdipDisposeImage(image);
    }
    Gdiplus::GdiplusShutdown(token);
  }
  ::DeleteObject(bitmap);
  return saved;
}
