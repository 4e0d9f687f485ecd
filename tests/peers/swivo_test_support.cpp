#include "tests/peers/swivo_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/adapter_table.h"

namespace swivo_test {
namespace {

constexpr wchar_t kAdapterName[] = L"swivo-test-loopback";

class WinsockEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
  }
  void TearDown() override { ::WSACleanup(); }
};
::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new WinsockEnvironment);

sockaddr_in LoopbackAddress(uint16_t port) {
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(kLoopback);
  return address;
}

}  // namespace

LocalBindPlan LoopbackPlan(uint16_t port) {
  if (g_AdapterTable.Find(kAdapterName) < 0) {
    const uint8_t mac[6] = {2, 0, 0, 0, 0, 1};
    g_AdapterTable.Add(1, kAdapterName, mac);
  }
  g_AdapterTable.SetLinkFlag(kAdapterName, 1);
  LocalBindPlan plan;
  plan.privateAddress[0] = 127;
  plan.privateAddress[3] = 1;
  plan.adapterName = kAdapterName;
  plan.port = port;
  return plan;
}

uint16_t FreePort(int type) {
  SOCKET probe = ::socket(AF_INET, type, 0);
  sockaddr_in address = LoopbackAddress(0);
  ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
  int size = sizeof address;
  ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
  ::closesocket(probe);
  return ntohs(address.sin_port);
}

LoopbackPeer::LoopbackPeer() {
  socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  sockaddr_in address = LoopbackAddress(0);
  ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  int size = sizeof address;
  ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size);
  port_ = ntohs(address.sin_port);
}

LoopbackPeer::~LoopbackPeer() { ::closesocket(socket_); }

bool LoopbackPeer::Expect(int action, KmParsedMessage* parsed, DWORD waitMs, const KmKeyTable* keys,
                          const SessionValues& responderKey) {
  static const KmKeyTable noKeys;
  const ULONGLONG end = ::GetTickCount64() + waitMs;
  while (::GetTickCount64() < end) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval wait = {0, 50000};
    if (::select(0, &readable, nullptr, nullptr, &wait) < 1) continue;
    sockaddr_in from = {};
    int fromSize = sizeof from;
    const int got = ::recvfrom(socket_, reinterpret_cast<char*>(buffer_), sizeof buffer_, 0,
                               reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (got < 4) continue;
    uint8_t source[4];
    std::memcpy(source, &from.sin_addr, 4);
    // The peer takes everything a peer in pairing would.
    if (!ParseKmPacket(buffer_, static_cast<size_t>(got), source, parsed, true, keys ? *keys : noKeys, responderKey)) {
      continue;
    }
    if (parsed->action == action) return true;
  }
  return false;
}

bool LoopbackPeer::Silent(int action, DWORD waitMs) {
  KmParsedMessage parsed;
  return !Expect(action, &parsed, waitMs);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (condition()) return true;
    if (::GetTickCount64() >= end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

InputRecorder::InputRecorder() {
  static const wchar_t kClass[] = L"SwivoInputRecorder";
  WNDCLASSW cls = {};
  cls.lpfnWndProc = Proc;
  cls.hInstance = ::GetModuleHandleW(nullptr);
  cls.lpszClassName = kClass;
  ::RegisterClassW(&cls);
  window_ = ::CreateWindowExW(WS_EX_TOPMOST, kClass, L"Recorder", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200,
                              nullptr, nullptr, cls.hInstance, this);
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetForegroundWindow(window_);
  ::SetFocus(window_);
  PumpUntil([this] { return ::GetForegroundWindow() == window_; }, 2000);
}

InputRecorder::~InputRecorder() {
  ::DestroyWindow(window_);
  PumpUntil([] { return false; }, 50);
}

LRESULT CALLBACK InputRecorder::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<InputRecorder*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self) {
    switch (message) {
      case WM_KEYDOWN:
      case WM_KEYUP:
      case WM_SYSKEYDOWN:
      case WM_SYSKEYUP:
        self->keys_.push_back({message, static_cast<UINT>((lParam >> 16) & 0x1FF)});
        return 0;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
        self->buttons_.push_back(message);
        return 0;
      case WM_MOUSEWHEEL:
        self->wheel_ += GET_WHEEL_DELTA_WPARAM(wParam);
        return 0;
      default:
        break;
    }
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace swivo_test
