#include "framework/app.h"

#include <atomic>
#include "framework/message_pump.h"

namespace {
CWinAppEx* g_app = nullptr;
std::atomic<HINSTANCE> g_resourceHandle{nullptr};
}  // namespace

CWinAppEx::CWinAppEx() : m_hInstance(::GetModuleHandleW(nullptr)) { g_app = this; }

CWinAppEx::~CWinAppEx() {
  if (g_app == this) g_app = nullptr;
}

int CWinAppEx::Run() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) TranslateAndDispatch(&msg);
  if (msg.message == WM_QUIT) m_exitCode = static_cast<int>(msg.wParam);
  return ExitInstance();
}

CWinAppEx* AfxGetApp() { return g_app; }

HINSTANCE AfxGetInstanceHandle() { return ::GetModuleHandleW(nullptr); }

HINSTANCE AfxGetResourceHandle() {
  HINSTANCE module = g_resourceHandle.load();
  return module ? module : ::GetModuleHandleW(nullptr);
}

void AfxSetResourceHandle(HINSTANCE module) { g_resourceHandle.store(module); }

int AfxWinMain() {
  CWinAppEx* app = AfxGetApp();
  if (!app) return -1;
  if (!app->InitInstance()) return app->ExitInstance();
  return app->Run();
}
