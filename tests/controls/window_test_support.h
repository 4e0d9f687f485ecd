// What the component tests of the controls share: a visible host window of the framework (so that
// its controls' notifications are reflected), a pump that offers each message to
// PreTranslateMessage like the program's loops, scripted mouse input, and the screenshot gallery.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/framework.h"

namespace controls_test {

// A top-level window for the controls under test; records the notifications that reach it.
class HostWindow : public CWnd {
 public:
  explicit HostWindow(const RECT& screenRect = CRect(40, 40, 640, 440));
  ~HostWindow() override;
  std::vector<UINT> notifyCodes;  // every WM_NOTIFY code that reached the host
  std::vector<int> columnClicks;  // LVN_COLUMNCLICK columns that reached the host
  std::vector<int> clicks;        // ids of the BN_CLICKED that reached the host

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// Dispatches what is queued, through PreTranslateMessage; then lets late messages arrive.
void Pump(DWORD settleMs = 30);

// A mouse message posted to the window at a client point, with the real cursor moved there too
// (Wine's leave tracking looks at where the cursor really is).
void PostMouse(HWND window, UINT message, POINT client, WPARAM keys);

// Presses or releases a key through the real input stream, into the foreground window.
void SendKey(WORD virtualKey, bool up);

// The window of the tooltip's first tool, null when it has none.
HWND FirstToolWindow(HWND toolTip);

// The window's pixels as they are on the screen now.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> data;
  COLORREF At(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
};
Pixels Capture(HWND window);
// Saves the window's pixels as gallery/NAME.png under the build folder; the path, or "" on failure.
std::string SaveToGallery(HWND window, const std::string& name);

}  // namespace controls_test
