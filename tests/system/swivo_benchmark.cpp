// Benchmark of Swivo between two computers (not a test; run by swivo_benchmark.sh):
//   swivo_benchmark receiver OWN-ADDRESS KMPORT CLIPPORT
//       the real UDP service on OWN-ADDRESS with the controller's key, a window in front that
//       notes when each replayed key arrives, and a clipboard receiver on CLIPPORT; prints
//       "key N MICROSECONDS" per key press, "replayed N in MICROSECONDS" for the burst and
//       "clipboard BYTES MICROSECONDS" (the clock is the machine's, shared by both computers)
//   swivo_benchmark sender PEER-ADDRESS KMPORT CLIPPORT KEYS BURST
//       the controller: a control exchange, KEYS key presses and releases 2 ms apart ("sent N
//       MICROSECONDS"), BURST mouse words back to back, then 1 MiB and 16 MiB of clipboard text
#include <winsock2.h>
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "common/adapter_table.h"
#include "peers/clipboard_stream.h"
#include "peers/km_session_socket.h"
#include "peers/swivo_exchange_sender.h"
#include "peers/swivo_service.h"
#include "peers/system_random_source.h"

namespace {

const uint8_t kPairingKey[16] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                                 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
constexpr wchar_t kAdapter[] = L"eth0";

long long Micros() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return now.QuadPart * 1000000 / frequency.QuadPart;
}

void Say(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::printf("\n");
  std::fflush(stdout);
}

bool ParseAddress(const wchar_t* text, uint8_t octets[4]) {
  unsigned p[4];
  if (std::swscanf(text, L"%u.%u.%u.%u", &p[0], &p[1], &p[2], &p[3]) != 4) return false;
  for (int i = 0; i < 4; ++i) octets[i] = static_cast<uint8_t>(p[i]);
  return true;
}

int keyCount = 0;
LRESULT CALLBACK KeyTimes(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN) {
    Say("key %d %lld", keyCount++, Micros());
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

SOCKET Listen(const uint8_t address[4], uint16_t port) {
  SOCKET listening = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in at = {};
  at.sin_family = AF_INET;
  at.sin_port = htons(port);
  std::memcpy(&at.sin_addr, address, 4);
  ::bind(listening, reinterpret_cast<sockaddr*>(&at), sizeof at);
  ::listen(listening, 1);
  return listening;
}

int Receiver(const wchar_t* own, uint16_t kmPort, uint16_t clipPort) {
  uint8_t address[4];
  if (!ParseAddress(own, address)) return 2;
  const uint8_t mac[6] = {2, 0, 0, 0, 0, 2};
  g_AdapterTable.Add(1, kAdapter, mac);
  g_AdapterTable.SetLinkFlag(kAdapter, 1);
  SwivoService service;
  std::memcpy(service.bind_.privateAddress, address, 4);
  service.bind_.adapterName = kAdapter;
  service.bind_.port = kmPort;
  service.keys_.StoreKey(address[2], 1, kPairingKey);
  service.keys_.TakeSnapshot();

  WNDCLASSW cls = {};
  cls.lpfnWndProc = KeyTimes;
  cls.hInstance = ::GetModuleHandleW(nullptr);
  cls.lpszClassName = L"SwivoBenchmark";
  ::RegisterClassW(&cls);
  HWND window = ::CreateWindowExW(0, cls.lpszClassName, L"Swivo benchmark", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200,
                                  nullptr, nullptr, cls.hInstance, nullptr);
  ::SetForegroundWindow(window);
  ::SetFocus(window);
  if (!service.Start()) return 3;
  while (!service.Bound()) ::Sleep(20);
  SOCKET listening = Listen(address, clipPort);
  Say("ready");

  // Keys until the burst begins: the replay counter then runs away from the keys seen.
  uint32_t lastReplayed = 0;
  long long burstStart = 0, burstEnd = 0;
  uint32_t burstFirst = 0;
  ULONGLONG quietSince = ::GetTickCount64();
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    const uint32_t replayed = service.Replayed();
    if (replayed != lastReplayed) {
      quietSince = ::GetTickCount64();
      if (!burstStart && replayed > static_cast<uint32_t>(2 * keyCount + 100)) {
        burstStart = Micros();
        burstFirst = replayed;
      }
      if (burstStart) burstEnd = Micros();
      lastReplayed = replayed;
    } else if (burstStart && ::GetTickCount64() - quietSince > 1500) {
      break;
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  Say("replayed %u in %lld", lastReplayed - burstFirst, burstEnd - burstStart);

  std::vector<uint8_t> buffer(kClipboardBufferSize);
  WSAEVENT socketEvent = ::WSACreateEvent();
  HANDLE stopEvent = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE abortEvent = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  std::atomic<bool> stop{false};
  for (int transfer = 0; transfer < 2; ++transfer) {
    SOCKET connection = ::accept(listening, nullptr, nullptr);
    SetClipboardSocketBuffers(connection);
    ClipboardStream stream(connection, socketEvent, stopEvent, abortEvent, stop, 10000);
    const ClipboardReceiveEnd end = ReceiveClipboardTransfers(stream, buffer.data(), window, true);
    const long long done = Micros();
    uint32_t size = 0;
    if (::OpenClipboard(window)) {
      if (HANDLE data = ::GetClipboardData(CF_TEXT)) size = static_cast<uint32_t>(::GlobalSize(data));
      ::CloseClipboard();
    }
    Say("clipboard %u %lld %s", size, done, end == ClipboardReceiveEnd::kTransferDone ? "done" : "broken");
    ::closesocket(connection);
  }
  service.stop_ = true;
  ::SetEvent(service.stopEvent_);
  ::WaitForSingleObject(service.thread_, 10000);
  return 0;
}

void SetClipboardText(size_t bytes) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  char* text = static_cast<char*>(::GlobalLock(memory));
  for (size_t i = 0; i + 1 < bytes; ++i) text[i] = static_cast<char>('a' + i % 26);
  text[bytes - 1] = 0;
  ::GlobalUnlock(memory);
  ::OpenClipboard(nullptr);
  ::EmptyClipboard();
  ::SetClipboardData(CF_TEXT, memory);
  ::CloseClipboard();
}

int Sender(const wchar_t* peerText, uint16_t kmPort, uint16_t clipPort, int keys, int burst) {
  uint8_t peerAddress[4];
  if (!ParseAddress(peerText, peerAddress)) return 2;
  // The offer comes back to this computer's KmPort.
  SOCKET own = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  sockaddr_in at = {};
  at.sin_family = AF_INET;
  at.sin_port = htons(kmPort);
  if (::bind(own, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0) return 3;
  uint32_t peerHost;
  std::memcpy(&peerHost, peerAddress, 4);
  const LanPeer peer{ntohl(peerHost), kmPort};
  SystemRandomSource random;
  KmSessionSocket session;
  if (!session.Open(peer, 0, kPairingKey) || !session.SendConnect()) return 4;
  uint8_t bytes[256];
  KmParsedMessage parsed;
  KmKeyTable none;
  DhExchangeSets sets;
  ClearExchangeSets(&sets);
  SessionValues shared;
  bool agreed = false;
  for (int attempt = 0; attempt < 50 && !agreed; ++attempt) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(own, &readable);
    timeval wait = {0, 100000};
    if (::select(0, &readable, nullptr, nullptr, &wait) < 1) continue;
    sockaddr_in from = {};
    int fromSize = sizeof from;
    const int got = ::recvfrom(own, reinterpret_cast<char*>(bytes), sizeof bytes, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
    uint8_t source[4];
    std::memcpy(source, &from.sin_addr, 4);
    if (got < 4 || !ParseKmPacket(bytes, static_cast<size_t>(got), source, &parsed, false, none, SessionValues{})) continue;
    if (parsed.action != kActionExchangeOffer) continue;
    agreed = SendKeyExchangeReply(&sets, random, peer, parsed.offer, &shared);
  }
  if (!agreed) return 5;
  session.SetSessionKey(shared);
  ::Sleep(100);
  session.SendState(1, random);
  ::Sleep(100);
  for (int i = 0; i < keys; ++i) {
    Say("sent %d %lld", i, Micros());
    session.SendKey(kKeyDown, 0x1E, 0);
    session.SendKey(kKeyUp, 0x1E, 0);
    ::Sleep(2);
  }
  ::Sleep(500);
  const long long burstStart = Micros();
  for (int i = 0; i < burst; ++i) session.SendMouse(0, 0, kMouseMove);
  Say("burst %d sent in %lld", burst, Micros() - burstStart);
  ::Sleep(3000);
  session.SendState(0, random);

  std::vector<uint8_t> buffer(kClipboardBufferSize);
  WSAEVENT socketEvent = ::WSACreateEvent();
  HANDLE stopEvent = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE abortEvent = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  std::atomic<bool> stop{false};
  for (size_t megabytes : {size_t(1), size_t(16)}) {
    // 16 MiB of text leaves room for the markers and the record header only just under the cap.
    const size_t size = megabytes * 1024 * 1024 - (megabytes == 16 ? 64 : 0);
    SetClipboardText(size);
    SOCKET connection = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    SetClipboardSocketBuffers(connection);
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(clipPort);
    std::memcpy(&to.sin_addr, peerAddress, 4);
    for (int attempt = 0; attempt < 50; ++attempt) {
      if (::connect(connection, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0) break;
      ::Sleep(100);
    }
    const long long start = Micros();
    const uint32_t bytesOut = BuildClipboardTransfer(nullptr, buffer.data());
    ClipboardStream stream(connection, socketEvent, stopEvent, abortEvent, stop, INFINITE);
    const bool sent = stream.Send(buffer.data(), bytesOut);
    Say("clipboard-start %zu %lld %u %s", size, start, bytesOut, sent ? "sent" : "failed");
    ::Sleep(500);
    ::closesocket(connection);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  WSADATA data;
  ::WSAStartup(MAKEWORD(2, 2), &data);
  if (argc == 5 && std::wcscmp(argv[1], L"receiver") == 0) {
    return Receiver(argv[2], static_cast<uint16_t>(_wtoi(argv[3])), static_cast<uint16_t>(_wtoi(argv[4])));
  }
  if (argc == 7 && std::wcscmp(argv[1], L"sender") == 0) {
    return Sender(argv[2], static_cast<uint16_t>(_wtoi(argv[3])), static_cast<uint16_t>(_wtoi(argv[4])),
                  _wtoi(argv[5]), _wtoi(argv[6]));
  }
  Say("usage: swivo_benchmark receiver OWN KMPORT CLIPPORT | sender PEER KMPORT CLIPPORT KEYS BURST");
  return 2;
}
