// Measures what the framework adds to a message: SendMessage to a window of a plain class against
// one bound to an object (map look-up, reflection check, map entries, virtual handler), and the
// time to open and end a modal dialog. Run by hand: it prints its figures and asserts nothing.
#include <cstdio>
#include <windows.h>
#include "framework/framework.h"

namespace {
LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_APP) return wp + 1;
  return ::DefWindowProcW(w, m, wp, lp);
}

class Bound : public CWnd {
 public:
  Bound() {
    MapMessage(WM_APP, [](WPARAM wp, LPARAM) { return LRESULT(wp + 1); });
  }
};

double MicrosecondsPerCall(HWND window, int calls) {
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  for (int i = 0; i < calls; ++i) ::SendMessageW(window, WM_APP, i, 0);
  ::QueryPerformanceCounter(&end);
  return 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart / calls;
}
}  // namespace

int wmain() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = PlainProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"BenchPlain";
  ::RegisterClassW(&wc);
  HWND plain = ::CreateWindowExW(0, L"BenchPlain", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  Bound bound;
  bound.CreateEx(0, DefaultChildWindowClass(), L"", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
  const int calls = 200000;
  MicrosecondsPerCall(plain, 1000);  // warm up
  std::printf("SendMessage, plain window procedure: %.3f us\n", MicrosecondsPerCall(plain, calls));
  std::printf("SendMessage, framework object:       %.3f us\n", MicrosecondsPerCall(bound, calls));

  const int dialogs = 50;
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  for (int i = 0; i < dialogs; ++i) {
    class Quick : public CDialog {
     public:
      Quick() : CDialog(900) {}
      BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        EndDialog(IDOK);
        return TRUE;
      }
    } dialog;
    dialog.DoModal();
  }
  ::QueryPerformanceCounter(&end);
  std::printf("DoModal open and end:                %.2f ms\n",
              1e3 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart / dialogs);
  ::DestroyWindow(plain);
  return 0;
}
