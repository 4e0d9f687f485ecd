#include "tests/shell/thread_window.h"

HWND FindThreadWindow(const std::wstring& caption, HWND except) {
  struct Search {
    const std::wstring* caption;
    HWND except;
    HWND found;
  } search = {&caption, except, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND w, LPARAM p) -> BOOL {
    auto* s = reinterpret_cast<Search*>(p);
    wchar_t text[256] = {};
    ::GetWindowTextW(w, text, 256);
    if (w != s->except && ::IsWindowVisible(w) && s->caption->compare(text) == 0) {
      s->found = w;
      return FALSE;
    }
    return TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
