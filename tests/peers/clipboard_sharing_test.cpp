// Clipboard sharing on the loopback address with the real clipboard: a transfer read from the
// clipboard and applied again, the waiting send's failures, and the server's connections.
#include "peers/clipboard_server.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include <string>
#include <thread>

#include "peers/byte_order.h"
#include "peers/clipboard_stream.h"
#include "tests/peers/swivo_test_support.h"

namespace {

using swivo_test::PumpUntil;

void SetClipboardText(const std::wstring& text) {
  ASSERT_TRUE(OpenClipboardRetrying(nullptr));
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_UNICODETEXT, memory);
  ::CloseClipboard();
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboardRetrying(nullptr)) return L"(cannot open)";
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(::GlobalLock(data));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

void EmptyTheClipboard() {
  if (!OpenClipboardRetrying(nullptr)) return;
  ::EmptyClipboard();
  ::CloseClipboard();
}

// A connected TCP pair on 127.0.0.1.
struct TcpPair {
  TcpPair() {
    SOCKET listening = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(swivo_test::kLoopback);
    ::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int size = sizeof address;
    ::getsockname(listening, reinterpret_cast<sockaddr*>(&address), &size);
    ::listen(listening, 1);
    client = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address);
    server = ::accept(listening, nullptr, nullptr);
    ::closesocket(listening);
  }
  ~TcpPair() {
    if (client != INVALID_SOCKET) ::closesocket(client);
    if (server != INVALID_SOCKET) ::closesocket(server);
  }
  SOCKET client = INVALID_SOCKET;
  SOCKET server = INVALID_SOCKET;
};

// The waits of one side of a connection.
struct StreamEvents {
  StreamEvents() : socketEvent(::WSACreateEvent()), stopEvent(::CreateEventW(nullptr, FALSE, FALSE, nullptr)),
                   abortEvent(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  ~StreamEvents() {
    ::WSACloseEvent(socketEvent);
    ::CloseHandle(stopEvent);
    ::CloseHandle(abortEvent);
  }
  ClipboardStream On(SOCKET socket, DWORD pieceMs = INFINITE) {
    return ClipboardStream(socket, socketEvent, stopEvent, abortEvent, stop, pieceMs);
  }
  WSAEVENT socketEvent;
  HANDLE stopEvent;
  HANDLE abortEvent;
  std::atomic<bool> stop{false};
};

TEST(ClipboardStreamTest, ClipboardTextTravelsAndIsAppliedWithItsFormats) {
  const UINT registered = ::RegisterClipboardFormatW(L"Swivo test format");
  SetClipboardText(L"Swivo says h\u00e9llo");
  ASSERT_TRUE(OpenClipboardRetrying(nullptr));
  HGLOBAL own = ::GlobalAlloc(GMEM_MOVEABLE, 4);
  ::SetClipboardData(registered, own);
  ::CloseClipboard();

  std::vector<uint8_t> buffer(kClipboardBufferSize);
  const uint32_t size = BuildClipboardTransfer(nullptr, buffer.data());
  ASSERT_GT(size, 8u);
  // The records as they go out: the registered format stays home.
  std::vector<uint32_t> formats;
  for (uint32_t at = 4; at + 8 <= size - 4;) {
    const uint32_t length = ReadBe32(&buffer[at]);
    formats.push_back(ReadBe32(&buffer[at + 4]));
    at += 4 + length;
  }
  EXPECT_NE(std::find(formats.begin(), formats.end(), static_cast<uint32_t>(CF_UNICODETEXT)), formats.end());
  EXPECT_EQ(std::find(formats.begin(), formats.end(), registered), formats.end());

  EmptyTheClipboard();
  TcpPair pair;
  StreamEvents sender, receiver;
  std::thread send([&] { EXPECT_TRUE(sender.On(pair.client).Send(buffer.data(), size)); });
  std::vector<uint8_t> incoming(kClipboardBufferSize);
  ClipboardStream stream = receiver.On(pair.server, 3072);
  EXPECT_EQ(ReceiveClipboardTransfers(stream, incoming.data(), nullptr, true), ClipboardReceiveEnd::kTransferDone);
  send.join();
  EXPECT_EQ(ClipboardText(), L"Swivo says h\u00e9llo");
}

TEST(ClipboardStreamTest, FilesOnTheClipboardTravelAsAnEmptyTransfer) {
  ASSERT_TRUE(OpenClipboardRetrying(nullptr));
  ::EmptyClipboard();
  HGLOBAL drop = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + 16);
  static_cast<DROPFILES*>(::GlobalLock(drop))->pFiles = sizeof(DROPFILES);
  ::GlobalUnlock(drop);
  ::SetClipboardData(CF_HDROP, drop);
  ::CloseClipboard();
  std::vector<uint8_t> buffer(kClipboardBufferSize);
  EXPECT_EQ(BuildClipboardTransfer(nullptr, buffer.data()), 8u) << "just the two markers";
}

// A send that did not deliver every byte is a failed send, whatever ended it.
TEST(ClipboardStreamTest, SendEndedByTheOwnersStopOrByThePeersCloseFails) {
  std::vector<uint8_t> big(kClipboardBufferSize, 0x41);
  {
    SCOPED_TRACE("the owner's stop while the peer reads nothing");
    TcpPair pair;
    StreamEvents sender;
    std::thread stopper([&] {
      ::Sleep(300);
      ::SetEvent(sender.stopEvent);
    });
    EXPECT_FALSE(sender.On(pair.client).Send(big.data(), static_cast<uint32_t>(big.size())));
    stopper.join();
  }
  {
    SCOPED_TRACE("the peer closes the connection");
    TcpPair pair;
    StreamEvents sender;
    std::thread closer([&] {
      ::Sleep(300);
      ::closesocket(pair.server);
      pair.server = INVALID_SOCKET;
    });
    EXPECT_FALSE(sender.On(pair.client).Send(big.data(), static_cast<uint32_t>(big.size())));
    closer.join();
  }
}

class ClipboardServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    port_ = swivo_test::FreePort(SOCK_STREAM);
    server_.bind_ = swivo_test::LoopbackPlan(port_);
    server_.settings_ = &settings_;
    server_.sessionPeer_ = [this] { return sessionPeer_.load(); };
    ASSERT_TRUE(server_.Start());
  }
  void TearDown() override {
    server_.stop_ = true;
    ::SetEvent(server_.stopEvent_);
    ::WaitForSingleObject(server_.thread_, 10000);
    server_.Close();
  }
  // A connection to the server from 127.0.0.1; INVALID_SOCKET when it cannot be made in time.
  SOCKET Connect() {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port_);
    address.sin_addr.s_addr = htonl(swivo_test::kLoopback);
    for (int attempt = 0; attempt < 50; ++attempt) {
      SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
      if (::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return socket;
      ::closesocket(socket);
      ::Sleep(100);
    }
    return INVALID_SOCKET;
  }
  // True when the server closes `socket` within `ms`.
  static bool ClosedByServer(SOCKET socket, DWORD ms) {
    const DWORD timeout = ms;
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    char byte;
    return ::recv(socket, &byte, 1, 0) == 0;
  }
  static void SendBytes(SOCKET socket, const std::vector<uint32_t>& words, const std::string& tail = "") {
    std::vector<uint8_t> bytes;
    for (uint32_t word : words) {
      uint8_t be[4];
      WriteBe32(be, word);
      bytes.insert(bytes.end(), be, be + 4);
    }
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    ::send(socket, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0);
  }

  uint16_t port_ = 0;
  KmSettingsHolder settings_;
  std::atomic<int32_t> sessionPeer_{-1};
  ClipboardServer server_;
};

TEST_F(ClipboardServerTest, OnlyThePeerOfTheControlSessionIsAccepted) {
  SOCKET stranger = Connect();
  ASSERT_NE(stranger, INVALID_SOCKET);
  EXPECT_TRUE(ClosedByServer(stranger, 3000)) << "no control session: the connection is refused";
  ::closesocket(stranger);
  EXPECT_EQ(server_.Refused(), 1u);
  EXPECT_EQ(server_.connected_.load(), 0);

  sessionPeer_ = swivo_test::kLoopThird << 8 | swivo_test::kLoopFourth;
  SOCKET peer = Connect();
  ASSERT_NE(peer, INVALID_SOCKET);
  EXPECT_TRUE(PumpUntil([this] { return server_.connected_.load() == 1; }, 3000));
  EXPECT_EQ(server_.Accepted(), 1u);
  ::closesocket(peer);
}

TEST_F(ClipboardServerTest, TransfersOfThePeerAreAppliedAndABadLengthEndsTheConnection) {
  sessionPeer_ = swivo_test::kLoopThird << 8 | swivo_test::kLoopFourth;
  EmptyTheClipboard();
  SOCKET peer = Connect();
  ASSERT_NE(peer, INVALID_SOCKET);
  const std::string text("p\0e\0e\0r\0\0\0", 10);  // L"peer"
  SendBytes(peer, {kClipboardBeginMarker, 4 + 10, CF_UNICODETEXT}, text);
  SendBytes(peer, {kClipboardEndMarker});
  EXPECT_TRUE(PumpUntil([] { return ClipboardText() == L"peer"; }, 3000)) << "got: " << ClipboardText().c_str();
  EXPECT_FALSE(ClosedByServer(peer, 300)) << "the server stays for the next transfer";

  for (uint32_t badLength : {3u, kClipboardCapacity + 1}) {
    SCOPED_TRACE(badLength);
    SendBytes(peer, {kClipboardBeginMarker, badLength});
    EXPECT_TRUE(ClosedByServer(peer, 3000));
    ::closesocket(peer);
    peer = Connect();
    ASSERT_NE(peer, INVALID_SOCKET);
  }
  ::closesocket(peer);
}

}  // namespace
