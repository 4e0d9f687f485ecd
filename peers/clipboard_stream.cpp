#include "peers/clipboard_stream.h"

#include <cstring>

namespace {

constexpr int kOpenClipboardTries = 50;
constexpr DWORD kOpenClipboardRetryMs = 20;
constexpr UINT kFormatHdrop = 15;

enum class Chunk { kDone, kWouldBlock, kError };

}  // namespace

ClipboardStream::ClipboardStream(SOCKET socket, WSAEVENT socketEvent, HANDLE stopEvent, HANDLE abortEvent,
                                 const std::atomic<bool>& stop, DWORD pieceTimeoutMs)
    : socket_(socket), socketEvent_(socketEvent), stopEvent_(stopEvent), abortEvent_(abortEvent), stop_(stop),
      pieceTimeoutMs_(pieceTimeoutMs) {}

bool ClipboardStream::Send(const uint8_t* bytes, uint32_t size) {
  ::WSAEventSelect(socket_, socketEvent_, FD_WRITE | FD_CLOSE);
  uint32_t done = 0;
  auto sendChunks = [&]() {
    while (done < size) {
      const uint32_t piece = size - done < kClipboardPieceBytes ? size - done : kClipboardPieceBytes;
      const int sent = ::send(socket_, reinterpret_cast<const char*>(bytes + done), static_cast<int>(piece), 0);
      if (sent == SOCKET_ERROR) return ::WSAGetLastError() == WSAEWOULDBLOCK ? Chunk::kWouldBlock : Chunk::kError;
      done += static_cast<uint32_t>(sent);
    }
    return Chunk::kDone;
  };
  Chunk result = sendChunks();
  while (result == Chunk::kWouldBlock && !stop_.load()) {
    const HANDLE waits[] = {stopEvent_, socketEvent_};
    const DWORD woke = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (woke != WAIT_OBJECT_0 + 1) return false;  // the stop or a failed wait
    WSANETWORKEVENTS events = {};
    if (::WSAEnumNetworkEvents(socket_, socketEvent_, &events) != 0) continue;
    if (events.lNetworkEvents & FD_WRITE && events.iErrorCode[FD_WRITE_BIT] == 0) {
      result = sendChunks();
    } else if (events.lNetworkEvents & FD_CLOSE) {
      return false;  // the peer is gone: the bytes never arrived
    }
  }
  return result == Chunk::kDone;
}

ClipboardStream::Received ClipboardStream::Receive(uint8_t* into, uint32_t size) {
  ::WSAEventSelect(socket_, socketEvent_, FD_READ | FD_CLOSE);
  uint32_t done = 0;
  while (!stop_.load()) {
    // Bytes may already wait: read first, wait only when none are there.
    while (done < size) {
      const uint32_t piece = size - done < kClipboardPieceBytes ? size - done : kClipboardPieceBytes;
      const int got = ::recv(socket_, reinterpret_cast<char*>(into + done), static_cast<int>(piece), 0);
      if (got == 0) return Received::kFinished;
      if (got == SOCKET_ERROR) {
        if (::WSAGetLastError() == WSAEWOULDBLOCK) break;
        return Received::kFinished;
      }
      done += static_cast<uint32_t>(got);
    }
    if (done == size) return Received::kComplete;
    const HANDLE waits[] = {stopEvent_, abortEvent_, socketEvent_};
    const DWORD woke = ::WaitForMultipleObjects(3, waits, FALSE, pieceTimeoutMs_);
    if (woke != WAIT_OBJECT_0 + 2) {
      if (woke == WAIT_OBJECT_0) {
        ::SetEvent(stopEvent_);  // given back for the thread's own wait
        return Received::kStopped;
      }
      return Received::kFinished;  // aborted, timed out or a failed wait
    }
    // FD_READ or FD_CLOSE: the next pass reads what is queued; after a close recv gives 0.
    WSANETWORKEVENTS events = {};
    ::WSAEnumNetworkEvents(socket_, socketEvent_, &events);
  }
  return Received::kStopped;
}

bool OpenClipboardRetrying(HWND owner) {
  for (int attempt = 0; attempt < kOpenClipboardTries; ++attempt) {
    if (::OpenClipboard(owner)) return true;
    ::Sleep(kOpenClipboardRetryMs);
  }
  return false;
}

uint32_t BuildClipboardTransfer(HWND owner, uint8_t* buffer) {
  bool files = false;
  if (OpenClipboardRetrying(owner)) {
    files = ::IsClipboardFormatAvailable(kFormatHdrop) != 0;
    ::CloseClipboard();
  }
  ClipboardTransferWriter writer(buffer, kClipboardCapacity);
  writer.Begin();
  if (!files && OpenClipboardRetrying(owner)) {
    for (UINT format = ::EnumClipboardFormats(0); format != 0; format = ::EnumClipboardFormats(format)) {
      if (!ClipboardFormatTravels(format)) continue;
      HANDLE data = ::GetClipboardData(format);
      if (!data) continue;
      const void* bytes = ::GlobalLock(data);
      if (!bytes) continue;
      const SIZE_T size = ::GlobalSize(data);
      if (size > 0 && size <= kClipboardCapacity) {
        writer.Add(format, static_cast<const uint8_t*>(bytes), static_cast<uint32_t>(size));
      }
      ::GlobalUnlock(data);
    }
    ::CloseClipboard();
  }
  return writer.Finish();
}

namespace {

// The clipboard while a transfer is applied: opened and emptied at the begin marker, closed at
// the end marker.
class ClipboardApplier {
 public:
  explicit ClipboardApplier(HWND owner) : owner_(owner) {}
  ~ClipboardApplier() { End(); }
  void Begin() {
    if (!open_) open_ = OpenClipboardRetrying(owner_);
    if (open_) ::EmptyClipboard();
  }
  void End() {
    if (open_) ::CloseClipboard();
    open_ = false;
  }
  void Record(uint32_t format, const uint8_t* data, uint32_t size) {
    if (!ClipboardFormatTravels(format)) return;
    if (!open_) open_ = OpenClipboardRetrying(owner_);
    if (!open_) return;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!memory) return;
    void* target = ::GlobalLock(memory);
    if (!target) {
      ::GlobalFree(memory);
      return;
    }
    if (size) std::memcpy(target, data, size);
    ::GlobalUnlock(memory);
    if (!::SetClipboardData(format, memory)) ::GlobalFree(memory);
  }

 private:
  HWND owner_;
  bool open_ = false;
};

}  // namespace

ClipboardReceiveEnd ReceiveClipboardTransfers(ClipboardStream& stream, uint8_t* buffer, HWND owner, bool oneTransfer) {
  ClipboardRecordReader reader(buffer, kClipboardCapacity);
  ClipboardApplier clipboard(owner);
  for (;;) {
    const ClipboardStream::Received received = stream.Receive(reader.Next(), reader.Wanted());
    if (received == ClipboardStream::Received::kStopped) return ClipboardReceiveEnd::kStopped;
    if (received == ClipboardStream::Received::kFinished) return ClipboardReceiveEnd::kConnectionOver;
    switch (reader.Received(reader.Wanted())) {
      case ClipboardEvent::kNone: break;
      case ClipboardEvent::kBegin: clipboard.Begin(); break;
      case ClipboardEvent::kEnd:
        clipboard.End();
        if (oneTransfer) return ClipboardReceiveEnd::kTransferDone;
        break;
      case ClipboardEvent::kRecord: clipboard.Record(reader.Format(), reader.Data(), reader.DataSize()); break;
      case ClipboardEvent::kBadLength: return ClipboardReceiveEnd::kConnectionOver;
    }
  }
}

void SetClipboardSocketBuffers(SOCKET socket) {
  const int size = kClipboardSocketBuffer;
  ::setsockopt(socket, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&size), sizeof size);
  ::setsockopt(socket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
}
