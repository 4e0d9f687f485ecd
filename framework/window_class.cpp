// Window classes of the framework's own: registered once per process with DefWindowProc as their
// procedure; the objects bound at creation receive the messages (see WindowCreationHook).
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include "framework/wnd.h"

const wchar_t* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  static std::mutex lock;
  static std::map<std::tuple<UINT, HCURSOR, HBRUSH, HICON>, std::wstring> names;
  std::lock_guard<std::mutex> hold(lock);
  auto key = std::make_tuple(classStyle, cursor, background, icon);
  auto found = names.find(key);
  if (found != names.end()) return found->second.c_str();

  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  wchar_t name[96];
  swprintf(name, 96, L"CorvaneWnd:%llx:%x:%llx:%llx:%llx",
           static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(instance)), classStyle,
           static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(cursor)),
           static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(background)),
           static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(icon)));
  WNDCLASSW existing = {};
  if (!::GetClassInfoW(instance, name, &existing)) {
    WNDCLASSW wc = {};
    wc.style = classStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (!::RegisterClassW(&wc)) return nullptr;
  }
  return names.emplace(key, name).first->second.c_str();
}

const wchar_t* DefaultChildWindowClass() {
  static const wchar_t* name = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
  return name;
}
