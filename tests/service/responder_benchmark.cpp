// Measures the scan responder on loopback (not a test): replies per second under a flood of scan
// requests, and the request-to-reply latency of single requests (median and 99th percentile).
//   responder_benchmark [flood seconds, default 3] [latency samples, default 2000]
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int floodSeconds = argc > 1 ? _wtoi(argv[1]) : 3;
  const int samples = argc > 2 ? _wtoi(argv[2]) : 2000;
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  const uint32_t scanPort = 36000 + (GetCurrentProcessId() % 1000) * 2, kmPort = scanPort + 1;

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"echoward-benchmark";
  CreateDirectoryW(folder.c_str(), nullptr);
  HANDLE file = CreateFileW((folder + L"\\EchowardSetting.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                            nullptr);
  DWORD written = 0;
  WriteFile(file, "QVX_VER=1\r\nENABLED\r\n", 20, &written, nullptr);
  CloseHandle(file);

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

  SOCKET listener = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  int buffer = 1 << 20;
  setsockopt(listener, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<char*>(&buffer), sizeof buffer);
  sockaddr_in km = Address(kmPort);
  bind(listener, reinterpret_cast<sockaddr*>(&km), sizeof km);
  SOCKET sender = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  sockaddr_in scan = Address(scanPort);
  char reply[512];

  // Wait until the responder serves.
  bool serving = false;
  for (int i = 0; i < 100 && !serving; ++i) {
    sendto(sender, kScanRequest, 4, 0, reinterpret_cast<sockaddr*>(&scan), sizeof scan);
    serving = WaitReadable(listener, 100) && recv(listener, reply, sizeof reply, 0) > 0;
  }
  if (!serving) {
    std::printf("the responder does not answer\n");
    return 1;
  }

  // Latency: one request at a time.
  std::vector<double> micros;
  for (int i = 0; i < samples; ++i) {
    const auto start = Clock::now();
    sendto(sender, kScanRequest, 4, 0, reinterpret_cast<sockaddr*>(&scan), sizeof scan);
    if (!WaitReadable(listener, 1000) || recv(listener, reply, sizeof reply, 0) <= 0) continue;
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::sort(micros.begin(), micros.end());
  if (!micros.empty()) {
    std::printf("latency over %zu requests: median %.0f us, 99th percentile %.0f us\n", micros.size(),
                micros[micros.size() / 2], micros[std::min(micros.size() - 1, micros.size() * 99 / 100)]);
  }

  // Flood: one thread sends as fast as it can, this one counts the replies.
  std::atomic<bool> flooding{true};
  std::atomic<long> sent{0};
  std::thread flood([&] {
    while (flooding) {
      if (sendto(sender, kScanRequest, 4, 0, reinterpret_cast<sockaddr*>(&scan), sizeof scan) == 4) ++sent;
    }
  });
  long replies = 0;
  const auto start = Clock::now();
  while (Clock::now() - start < std::chrono::seconds(floodSeconds)) {
    if (WaitReadable(listener, 100) && recv(listener, reply, sizeof reply, 0) > 0) ++replies;
  }
  flooding = false;
  flood.join();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("flood of %.1f s: %.0f requests/s sent, %.0f replies/s received (%.1f%% answered)\n", seconds,
              sent / seconds, replies / seconds, sent ? 100.0 * replies / sent : 0.0);

  responder.Stop();
  responder.Close();
  DeleteFileW((folder + L"\\EchowardSetting.txt").c_str());
  RemoveDirectoryW(folder.c_str());
  return 0;
}
