#include "tests/controls/window_test_support.h"

#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <filesystem>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace controls_test {
namespace {

// GDI+ and the common controls for the whole test program, as the program's start-up does.
class ControlsEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    GdiplusStartupInput input = {};
    input.GdiplusVersion = 1;
    GdiplusStartup(&token_, &input, nullptr);
  }
  void TearDown() override { GdiplusShutdown(token_); }

 private:
  ULONG_PTR token_ = 0;
};
::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);

const CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

}  // namespace

HostWindow::HostWindow(const RECT& screenRect) {
  const wchar_t* cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  CreateEx(WS_EX_TOPMOST, cls, L"Controls under test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, screenRect,
           nullptr, 0);
  ::SetForegroundWindow(m_hWnd);
  Pump();
}

HostWindow::~HostWindow() {
  if (IsWindow()) DestroyWindow();
  Pump(0);
}

BOOL HostWindow::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  notifyCodes.push_back(header->code);
  if (header->code == LVN_COLUMNCLICK) columnClicks.push_back(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
  return CWnd::OnNotify(wParam, lParam, result);
}

BOOL HostWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED && lParam) clicks.push_back(LOWORD(wParam));
  return CWnd::OnCommand(wParam, lParam);
}

void Pump(DWORD settleMs) {
  DispatchPendingMessages();
  if (settleMs) PumpMessagesFor(settleMs);
  DispatchPendingMessages();
}

void PostMouse(HWND window, UINT message, POINT client, WPARAM keys) {
  POINT screen = client;
  ::ClientToScreen(window, &screen);
  ::SetCursorPos(screen.x, screen.y);
  ::PostMessageW(window, message, keys, MAKELPARAM(client.x, client.y));
  Pump(0);
}

void SendKey(WORD virtualKey, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &input, sizeof(input));
}

HWND FirstToolWindow(HWND toolTip) {
  wchar_t text[256] = {};
  TOOLINFOW tool = {};
  tool.cbSize = sizeof(tool);
  tool.lpszText = text;
  if (!::SendMessageW(toolTip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool))) return nullptr;
  return tool.hwnd;
}

Pixels Capture(HWND window) {
  Pixels pixels;
  RECT client;
  ::GetClientRect(window, &client);
  pixels.width = client.right;
  pixels.height = client.bottom;
  if (pixels.width <= 0 || pixels.height <= 0) return pixels;
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC source = ::GetDC(window);
  HDC memory = ::CreateCompatibleDC(source);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, dib);
  ::BitBlt(memory, 0, 0, pixels.width, pixels.height, source, 0, 0, SRCCOPY);
  ::GdiFlush();
  const auto* raw = static_cast<const DWORD*>(bits);
  pixels.data.resize(static_cast<size_t>(pixels.width) * pixels.height);
  for (size_t i = 0; i < pixels.data.size(); ++i) {
    const DWORD bgra = raw[i];
    pixels.data[i] = RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
  }
  ::SelectObject(memory, old);
  ::DeleteObject(dib);
  ::DeleteDC(memory);
  ::ReleaseDC(window, source);
  return pixels;
}

std::string SaveToGallery(HWND window, const std::string& name) {
  const Pixels pixels = Capture(window);
  if (pixels.data.empty()) return "";
  const std::filesystem::path folder = std::filesystem::path(CORVANE_BINARY_DIR) / "gallery";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::filesystem::path file = folder / (name + ".png");

  std::vector<DWORD> argb(pixels.data.size());
  for (size_t i = 0; i < argb.size(); ++i) {
    const COLORREF c = pixels.data[i];
    argb[i] = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  GpBitmap* bitmap = nullptr;
  if (GdipCreateBitmapFromScan0(pixels.width, pixels.height, pixels.width * 4, PixelFormat32bppARGB,
                                reinterpret_cast<BYTE*>(argb.data()), &bitmap) != Ok)
    return "";
  // Wine's paths: the build folder is reachable through drive Z.
  const std::wstring target = L"Z:" + file.wstring();
  const Status saved = GdipSaveImageToFile(bitmap, target.c_str(), &kPngEncoder, nullptr);
  GdipDisposeImage(bitmap);
  return saved == Ok ? file.string() : "";
}

}  // namespace controls_test
