// ClipboardServer: the engine thread that listens on the ClipboardPort. The computer this one
// controls connects to it when a control session starts; the server first sends this computer's
// clipboard (when the slot shares it), then applies every transfer the peer sends.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "peers/km_bind_address.h"
#include "peers/km_settings.h"

class ClipboardServer {
 public:
  ClipboardServer() = default;
  ClipboardServer(const ClipboardServer&) = delete;
  ClipboardServer& operator=(const ClipboardServer&) = delete;
  ~ClipboardServer() { Close(); }

  // The listening socket, the socket event, the stop and abort events, the buffer and the
  // thread; false at the first that cannot be made. The owner fills `bind_` before.
  bool Start();
  void Close();

  std::atomic<bool> stop_{false};
  HANDLE thread_ = nullptr;
  HANDLE stopEvent_ = nullptr;
  HANDLE abortEvent_ = nullptr;
  LocalBindPlan bind_;  // private address, adapter and ClipboardPort
  SOCKET listening_ = INVALID_SOCKET;
  SOCKET connection_ = INVALID_SOCKET;
  WSAEVENT socketEvent_ = WSA_INVALID_EVENT;
  std::atomic<HWND> mainWindow_{nullptr};
  const KmSettingsHolder* settings_ = nullptr;
  std::atomic<uint8_t> connected_{0};
  // The peer of the current control session ((third << 8) | fourth); -1 when none. Only that
  // peer's connection is accepted.
  std::function<int32_t()> sessionPeer_;

  uint32_t Accepted() const { return accepted_.load(); }
  uint32_t Refused() const { return refused_.load(); }

 private:
  static DWORD WINAPI ThreadProc(void* self);
  void Run();
  bool Accept(uint8_t* third, uint8_t* fourth);
  bool SendClipboard();

  std::vector<uint8_t> buffer_;
  std::atomic<uint32_t> accepted_{0};
  std::atomic<uint32_t> refused_{0};
};
