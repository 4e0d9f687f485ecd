// What the Swivo engine tests share: Winsock and an adapter with link for the engines' binding on
// the loopback address, a UDP socket that plays the peer computer, and a window in front that
// records the keys and mouse buttons it receives.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "peers/km_bind_address.h"
#include "peers/km_packet_parser.h"
#include "peers/lan_sender.h"

namespace swivo_test {

constexpr uint32_t kLoopback = 0x7F000001;
// 127.0.0.1 as the engines see a sender: third octet 0, fourth octet 1.
constexpr uint8_t kLoopThird = 0;
constexpr uint8_t kLoopFourth = 1;

// A bind plan for 127.0.0.1 on `port`, with an adapter of that name in the adapter table, linked.
LocalBindPlan LoopbackPlan(uint16_t port);
// A port nobody uses now (of that socket type).
uint16_t FreePort(int type);

// The peer computer: a UDP socket on 127.0.0.1.
class LoopbackPeer {
 public:
  LoopbackPeer();
  ~LoopbackPeer();
  LoopbackPeer(const LoopbackPeer&) = delete;
  LoopbackPeer& operator=(const LoopbackPeer&) = delete;

  uint16_t Port() const { return port_; }
  LanPeer Self() const { return {kLoopback, port_}; }
  // The next datagram within `waitMs` that parses with these keys and has this action; others
  // are skipped.
  bool Expect(int action, KmParsedMessage* parsed, DWORD waitMs = 2000, const KmKeyTable* keys = nullptr,
              const SessionValues& responderKey = SessionValues{});
  // True when no datagram of this action arrives within `waitMs`.
  bool Silent(int action, DWORD waitMs);

 private:
  SOCKET socket_ = INVALID_SOCKET;
  uint16_t port_ = 0;
  uint8_t buffer_[256] = {};
};

// Waits while dispatching this thread's messages; true when `condition` became true in time.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// A window in front that records key and mouse-button messages.
class InputRecorder {
 public:
  struct Key {
    UINT message;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP
    UINT scan;     // with 0x100 for an extended key
  };
  InputRecorder();
  ~InputRecorder();
  HWND Window() const { return window_; }
  const std::vector<Key>& Keys() const { return keys_; }
  const std::vector<UINT>& Buttons() const { return buttons_; }
  int Wheel() const { return wheel_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  std::vector<Key> keys_;
  std::vector<UINT> buttons_;
  int wheel_ = 0;
};

}  // namespace swivo_test
