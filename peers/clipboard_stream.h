// The clipboard TCP connection's waiting send and receive, the reading of the local clipboard into
// a ClipboardTransfer and the applying of received records to it. The client (in the Swivo
// controller) and the clipboard server use the same code with their own socket, buffer and window.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "peers/clipboard_transfer.h"

inline constexpr uint32_t kClipboardPieceBytes = 12288;
inline constexpr int kClipboardSocketBuffer = 1048576;

class ClipboardStream {
 public:
  // `pieceTimeoutMs` bounds each wait of a receive (INFINITE for none).
  ClipboardStream(SOCKET socket, WSAEVENT socketEvent, HANDLE stopEvent, HANDLE abortEvent,
                  const std::atomic<bool>& stop, DWORD pieceTimeoutMs);

  // Sends all bytes in pieces; true only when every byte was sent. A connection closed by the
  // peer, a stop or a failed wait is a failed send.
  bool Send(const uint8_t* bytes, uint32_t size);

  enum class Received { kComplete, kFinished, kStopped };
  // Receives exactly `size` bytes. kFinished: the connection is over (closed, aborted, timed out,
  // a hard error); kStopped: the owner's stop.
  Received Receive(uint8_t* into, uint32_t size);

 private:
  SOCKET socket_;
  WSAEVENT socketEvent_;
  HANDLE stopEvent_;
  HANDLE abortEvent_;
  const std::atomic<bool>& stop_;
  DWORD pieceTimeoutMs_;
};

// Opens the clipboard with `owner`, retrying a few times while another program holds it.
bool OpenClipboardRetrying(HWND owner);

// The local clipboard as one transfer in `buffer` (kClipboardBufferSize bytes): only the formats
// that travel, and with files on the clipboard just the two markers. Returns its size.
uint32_t BuildClipboardTransfer(HWND owner, uint8_t* buffer);

// Receives transfers and applies them to the local clipboard. `oneTransfer`: return after the
// first end marker (the client); otherwise stay for the next (the server).
enum class ClipboardReceiveEnd { kTransferDone, kConnectionOver, kStopped };
ClipboardReceiveEnd ReceiveClipboardTransfers(ClipboardStream& stream, uint8_t* buffer, HWND owner, bool oneTransfer);

// Sets the connection's send and receive buffers to 1 MiB.
void SetClipboardSocketBuffers(SOCKET socket);
