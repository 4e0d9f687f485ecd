// Measures the scan responder on loopback (not a test): replies per second under a flood of scan
// requests, and the request-to-reply latency of single requests (median and 99th percentile),
// side by side with a plain UDP responder of a few lines in the same process, measured the same way.
//   responder_benchmark [flood seconds, default 3] [latency samples, default 2000]
//   responder_benchmark --serve SECONDS PORT   only serves, for a client outside Wine
//     (responder_benchmark.sh): Echoward on PORT with its KmPort PORT+1, the plain one on PORT+2
//     with PORT+3, both answering 127.0.0.1.
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "common/adapter_table.h"
#include "service/probe_responder.h"

namespace {

using Clock = std::chrono::steady_clock;
const uint8_t kLoopback[4] = {127, 0, 0, 1};
const char kScanRequest[4] = {0, 2, 0, 0};

sockaddr_in Address(uint32_t port) {
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  std::memcpy(&address.sin_addr, kLoopback, 4);
  return address;
}

bool WaitReadable(SOCKET socket, int timeoutMs) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(socket, &readable);
  timeval wait = {timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  return select(0, &readable, nullptr, nullptr, &wait) == 1;
}

// A plain responder: one socket, receive, send the same reply bytes back to the KmPort. What a
// responder costs here at the least.
class PlainResponder {
 public:
  PlainResponder(uint32_t scanPort, uint32_t kmPort, std::vector<char> reply)
      : kmPort_(kmPort), reply_(std::move(reply)) {
    socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in at = Address(scanPort);
    ::bind(socket_, reinterpret_cast<sockaddr*>(&at), sizeof at);
    thread_ = std::thread([this] { Serve(); });
  }
  ~PlainResponder() {
    ::closesocket(socket_);  // ends the receive
    thread_.join();
  }

 private:
  void Serve() {
    char request[256];
    for (;;) {
      sockaddr_in from = {};
      int size = sizeof from;
      if (::recvfrom(socket_, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&from), &size) < 0) {
        if (::WSAGetLastError() == WSAEMSGSIZE) continue;
        return;
      }
      from.sin_port = ::htons(static_cast<u_short>(kmPort_));
      ::sendto(socket_, reply_.data(), static_cast<int>(reply_.size()), 0, reinterpret_cast<sockaddr*>(&from),
               sizeof from);
    }
  }
  SOCKET socket_;
  uint32_t kmPort_;
  std::vector<char> reply_;
  std::thread thread_;
};

struct Figures {
  double median = 0, p99 = 0, sentPerSecond = 0, repliesPerSecond = 0;
  size_t samples = 0;
};

// Latency of one request at a time, then a flood from one thread while this one counts replies.
// Empty figures when the responder does not answer.
bool Measure(uint32_t scanPort, uint32_t kmPort, int floodSeconds, int samples, Figures* figures,
             std::vector<char>* firstReply = nullptr) {
  SOCKET listener = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  int buffer = 1 << 20;
  ::setsockopt(listener, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<char*>(&buffer), sizeof buffer);
  sockaddr_in km = Address(kmPort);
  ::bind(listener, reinterpret_cast<sockaddr*>(&km), sizeof km);
  SOCKET sender = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  sockaddr_in scan = Address(scanPort);
  char reply[512];
  int got = 0;
  for (int i = 0; i < 100 && got <= 0; ++i) {
    ::sendto(sender, kScanRequest, 4, 0, reinterpret_cast<sockaddr*>(&scan), sizeof scan);
    got = WaitReadable(listener, 100) ? ::recv(listener, reply, sizeof reply, 0) : 0;
  }
  if (got <= 0) {
    ::closesocket(listener);
    ::closesocket(sender);
    return false;
  }
  if (firstReply) firstReply->assign(reply, reply + got);
  while (WaitReadable(listener, 200)) ::recv(listener, reply, sizeof reply, 0);

  std::vector<double> micros;
  for (int i = 0; i < samples; ++i) {
    const auto start = Clock::now();
    ::sendto(sender, kScanRequest, 4, 0, reinterpret_cast<sockaddr*>(&scan), sizeof scan);
    if (!WaitReadable(listener, 1000) || ::recv(listener, reply, sizeof reply, 0) <= 0) continue;
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::sort(micros.begin(), micros.end());
  figures->samples = micros.size();
  if (!micros.empty()) {
    figures->median = micros[micros.size() / 2];
    figures->p99 = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
  }

  std::atomic<bool> flooding{true};
  std::atomic<long> sent{0};
  std::thread flood([&] {
    while (flooding) {
      if (::sendto(sender, kScanRequest, 4, 0, reinterpret_cast<sockaddr*>(&scan), sizeof scan) == 4) ++sent;
    }
  });
  long replies = 0;
  const auto start = Clock::now();
  while (Clock::now() - start < std::chrono::seconds(floodSeconds)) {
    if (WaitReadable(listener, 100) && ::recv(listener, reply, sizeof reply, 0) > 0) ++replies;
  }
  flooding = false;
  flood.join();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  figures->sentPerSecond = sent / seconds;
  figures->repliesPerSecond = replies / seconds;
  while (WaitReadable(listener, 300)) ::recv(listener, reply, sizeof reply, 0);
  ::closesocket(listener);
  ::closesocket(sender);
  return true;
}

void Report(const char* who, const Figures& f) {
  std::printf("%-9s latency over %zu requests: median %.0f us, 99th percentile %.0f us; flood: %.0f requests/s sent, "
              "%.0f replies/s (%.1f%% answered)\n",
              who, f.samples, f.median, f.p99, f.sentPerSecond, f.repliesPerSecond,
              f.sentPerSecond > 0 ? 100.0 * f.repliesPerSecond / f.sentPerSecond : 0.0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool serveOnly = argc > 3 && std::wcscmp(argv[1], L"--serve") == 0;
  const int floodSeconds = serveOnly ? _wtoi(argv[2]) : argc > 1 ? _wtoi(argv[1]) : 3;
  const int samples = !serveOnly && argc > 2 ? _wtoi(argv[2]) : 2000;
  WSADATA data;
  ::WSAStartup(MAKEWORD(2, 2), &data);
  const uint32_t scanPort =
      serveOnly ? static_cast<uint32_t>(_wtoi(argv[3])) : 36000 + (::GetCurrentProcessId() % 1000) * 4;
  const uint32_t kmPort = scanPort + 1;
  const uint32_t plainScanPort = scanPort + 2, plainKmPort = scanPort + 3;

  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"echoward-benchmark";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  HANDLE file = ::CreateFileW((folder + L"\\EchowardSetting.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, "QVX_VER=1\r\nENABLED\r\n", 20, &written, nullptr);
  ::CloseHandle(file);

  const uint8_t mac[6] = {2, 0, 0, 0, 0, 1};
  g_AdapterTable.Add(1, L"benchnic", mac);
  g_AdapterTable.SetLinkFlag(L"benchnic", 1);
  ProbeResponder responder;
  responder.Init();
  responder.settingsFolder = folder;
  const uint8_t none[4] = {};
  responder.SetPrivateIp(none);
  responder.SetAdapterGuid(L"{none}");
  responder.SetAdapterName(L"benchnic");
  responder.SetPorts(scanPort, kmPort);
  responder.CollectMachineInfo();
  if (!responder.Start()) return 1;

  if (serveOnly) {
    // The plain responder sends what Echoward sends: one reply taken from it first.
    Figures unused;
    std::vector<char> reply;
    if (!Measure(scanPort, kmPort, 0, 0, &unused, &reply)) return 1;
    PlainResponder plainResponder(plainScanPort, plainKmPort, reply);
    std::printf("serving\n");
    std::fflush(stdout);
    ::Sleep(static_cast<DWORD>(floodSeconds) * 1000);
    responder.Stop();
    responder.Close();
    return 0;
  }

  Figures ours, plain;
  std::vector<char> reply;
  const bool answered = Measure(scanPort, kmPort, floodSeconds, samples, &ours, &reply);
  responder.Stop();
  responder.Close();
  ::DeleteFileW((folder + L"\\EchowardSetting.txt").c_str());
  ::RemoveDirectoryW(folder.c_str());
  if (!answered) {
    std::printf("the responder does not answer\n");
    return 1;
  }
  Report("Echoward", ours);
  {
    PlainResponder plainResponder(plainScanPort, plainKmPort, reply);
    if (!Measure(plainScanPort, plainKmPort, floodSeconds, samples, &plain)) {
      std::printf("the plain responder does not answer\n");
      return 1;
    }
  }
  Report("plain", plain);
  return 0;
}
