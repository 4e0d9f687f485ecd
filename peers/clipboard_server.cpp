#include "peers/clipboard_server.h"

#include <cstring>

#include "peers/clipboard_stream.h"

namespace {
constexpr SIZE_T kThreadStackBytes = 8192;
constexpr int kListenBacklog = 10;
}  // namespace

bool ClipboardServer::Start() {
  buffer_.assign(kClipboardBufferSize, 0);
  listening_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listening_ == INVALID_SOCKET) return false;
  socketEvent_ = ::WSACreateEvent();
  if (socketEvent_ == WSA_INVALID_EVENT) return false;
  stopEvent_ = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!stopEvent_) return false;
  abortEvent_ = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!abortEvent_) return false;
  thread_ = ::CreateThread(nullptr, kThreadStackBytes, ThreadProc, this, 0, nullptr);
  return thread_ != nullptr;
}

void ClipboardServer::Close() {
  for (SOCKET* socket : {&listening_, &connection_}) {
    if (*socket != INVALID_SOCKET) ::closesocket(*socket);
    *socket = INVALID_SOCKET;
  }
  for (HANDLE* handle : {&stopEvent_, &abortEvent_, &thread_}) {
    if (*handle) ::CloseHandle(*handle);
    *handle = nullptr;
  }
  if (socketEvent_ != WSA_INVALID_EVENT) ::WSACloseEvent(socketEvent_);
  socketEvent_ = WSA_INVALID_EVENT;
}

DWORD WINAPI ClipboardServer::ThreadProc(void* self) {
  static_cast<ClipboardServer*>(self)->Run();
  return 0;
}

bool ClipboardServer::Accept(uint8_t* third, uint8_t* fourth) {
  ::WSAEventSelect(listening_, socketEvent_, FD_ACCEPT);
  while (!stop_.load()) {
    const HANDLE waits[] = {stopEvent_, socketEvent_};
    if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return false;
    WSANETWORKEVENTS events = {};
    ::WSAEnumNetworkEvents(listening_, socketEvent_, &events);
    sockaddr_in from = {};
    int fromSize = sizeof from;
    SOCKET accepted = ::accept(listening_, reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (accepted == INVALID_SOCKET) continue;
    const uint8_t* octets = reinterpret_cast<const uint8_t*>(&from.sin_addr);
    // Only the computer this one controls may reach its clipboard.
    const int32_t peer = sessionPeer_ ? sessionPeer_() : -1;
    if (peer < 0 || octets[2] != ((peer >> 8) & 0xFF) || octets[3] != (peer & 0xFF)) {
      ++refused_;
      ::closesocket(accepted);
      continue;
    }
    *third = octets[2];
    *fourth = octets[3];
    ::WSAEventSelect(accepted, socketEvent_, 0);
    SetClipboardSocketBuffers(accepted);
    connection_ = accepted;
    ++accepted_;
    return true;
  }
  return false;
}

bool ClipboardServer::SendClipboard() {
  const uint32_t size = BuildClipboardTransfer(mainWindow_.load(), buffer_.data());
  ClipboardStream stream(connection_, socketEvent_, stopEvent_, abortEvent_, stop_, INFINITE);
  return stream.Send(buffer_.data(), size);
}

void ClipboardServer::Run() {
  if (!BindWhenAdapterReady(listening_, bind_, stop_, stopEvent_)) return;
  if (::listen(listening_, kListenBacklog) != 0) return;
  while (!stop_.load()) {
    connected_ = 0;
    uint8_t third = 0, fourth = 0;
    if (!Accept(&third, &fourth)) break;
    connected_ = 1;
    bool clipSync = false;
    if (settings_) {
      const KmSlotSnapshot slots = settings_->ReadSnapshot();
      for (int slot = 0; slot < KmSettingsRecord::kSlots; ++slot) {
        if (slots.enabled[slot] && slots.octet3[slot] == third && slots.octet4[slot] == fourth) {
          clipSync = slots.clipSync[slot] != 0;
        }
      }
    }
    bool finished = false;
    if (clipSync) {
      finished = !SendClipboard();
      // This side's own clipboard starts empty; the peer's changes fill it.
      if (OpenClipboardRetrying(mainWindow_.load())) {
        ::EmptyClipboard();
        ::CloseClipboard();
      }
    }
    if (!finished) {
      ::ResetEvent(abortEvent_);
      ClipboardStream stream(connection_, socketEvent_, stopEvent_, abortEvent_, stop_, INFINITE);
      ReceiveClipboardTransfers(stream, buffer_.data(), mainWindow_.load(), false);
    }
    ::closesocket(connection_);
    connection_ = INVALID_SOCKET;
  }
  ::closesocket(listening_);
  listening_ = INVALID_SOCKET;
}
