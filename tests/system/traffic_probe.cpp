// The probe of the traffic system test, in computer A: opens the control device with the program's
// DriverChannel, sends the start notice, and on every tick polls the traffic records (one row per
// adapter of this computer, by MAC) and the four flow tables, printing what it read:
//   traffic MAC TICK-SENT TICK-RECEIVED
//   flow tcp4|udp4|tcp6|udp6 LOCAL:PORT REMOTE:PORT SENT RECEIVED
//   log TYPE ADDRESS          (an inbound remote-desktop or file-sharing request)
//   traffic_probe TICKS PERIOD-MS
//   traffic_probe lookup ADDRESS      the reverse look-up of the Connections dialog: "name NAME",
//                                     "no name" or "no answer"
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "monitor/driver_channel.h"
#include "monitor/dns_ptr.h"
#include "monitor/log_ring.h"
#include "monitor/reverse_lookup.h"
#include "shell/main_messages.h"

namespace {

LRESULT CALLBACK ProbeWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == UM_LOG_RECORD) {
    auto* record = reinterpret_cast<LogRecord*>(lParam);
    uint32_t a = record->address;
    std::printf("log %u %u.%u.%u.%u\n", record->type, a >> 24, a >> 16 & 0xFF, a >> 8 & 0xFF, a & 0xFF);
    ::HeapFree(::GetProcessHeap(), 0, record);
    return 1;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

std::vector<std::array<uint8_t, 6>> AdapterMacs() {
  std::vector<std::array<uint8_t, 6>> macs;
  ULONG size = 0;
  ::GetAdaptersInfo(nullptr, &size);
  std::vector<uint8_t> buffer(size ? size : 1);
  auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  if (::GetAdaptersInfo(info, &size) != ERROR_SUCCESS) return macs;
  for (; info; info = info->Next) {
    std::array<uint8_t, 6> mac = {};
    for (int i = 0; i < 6; ++i) mac[i] = info->Address[i];
    macs.push_back(mac);
  }
  return macs;
}

void PrintFlows(const ConnTable& table) {
  if (!table.HasUnmatched()) return;
  const ConnGroup& g = table.Unmatched();
  const char* names[2][2] = {{"tcp4", "udp4"}, {"tcp6", "udp6"}};
  for (int udp = 0; udp < 2; ++udp) {
    for (const Ipv4Conn& c : g.v4[udp]) {
      std::printf("flow %s %s:%u %s:%u %llu %llu\n", names[0][udp], Ipv4Text(c.local).c_str(), c.localPort,
                  Ipv4Text(c.remote).c_str(), c.remotePort, static_cast<unsigned long long>(c.sent),
                  static_cast<unsigned long long>(c.received));
    }
    for (const Ipv6Conn& c : g.v6[udp]) {
      std::printf("flow %s %s:%u %s:%u %llu %llu\n", names[1][udp], Ipv6Text(c.local).c_str(), c.localPort,
                  Ipv6Text(c.remote).c_str(), c.remotePort, static_cast<unsigned long long>(c.sent),
                  static_cast<unsigned long long>(c.received));
    }
  }
}

}  // namespace

int Lookup(const wchar_t* address) {
  unsigned a, b, c, d;
  if (std::swscanf(address, L"%u.%u.%u.%u", &a, &b, &c, &d) != 4) return 2;
  WSADATA wsa;
  ::WSAStartup(MAKEWORD(2, 2), &wsa);
  SOCKET s = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (s == INVALID_SOCKET) return 1;
  std::vector<uint8_t> buffer(kDnsBufferSize);
  std::string name;
  bool answered = DnsQueryPtrRecord(buffer.data(), &name, ReversedAddressText(a << 24 | b << 16 | c << 8 | d).c_str(), s);
  if (!answered) {
    std::printf("no answer\n");
  } else if (name.empty()) {
    std::printf("no name\n");
  } else {
    std::printf("name %s\n", name.c_str());
  }
  return 0;
}

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wcscmp(argv[1], L"lookup") == 0) return Lookup(argv[2]);
  if (argc != 3) {
    std::fprintf(stderr, "usage: traffic_probe TICKS PERIOD-MS\n");
    return 2;
  }
  int ticks = _wtoi(argv[1]);
  DWORD period = static_cast<DWORD>(_wtoi(argv[2]));
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = ProbeWindow;
  windowClass.lpszClassName = L"TrafficProbe";
  ::RegisterClassW(&windowClass);
  HWND window = ::CreateWindowW(L"TrafficProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);

  DriverChannel channel;
  channel.Open(true, window, false);
  if (!channel.IsOpen()) {
    std::printf("closed\n");
    return 1;
  }
  uint32_t four = 0, six = 0;
  channel.QueryConnectionBufferSizes(&four, &six);
  std::printf("open %u %u\n", four, six);
  channel.SendOpenNotice();
  TrafficTarget target;
  target.rowMacs = AdapterMacs();
  ConnTable table;
  for (int tick = 0; tick < ticks; ++tick) {
    ::Sleep(period);
    channel.BeginTick();
    target.tick = {};
    table.Clear();
    bool polled = channel.PollTraffic(&target);
    channel.PollTcp4(&table);
    channel.PollUdp4(&table);
    channel.PollTcp6(&table);
    channel.PollUdp6(&table);
    std::printf("tick %d %s\n", tick, polled ? "polled" : "failed");
    for (size_t row = 0; row < target.rowMacs.size() && row < kAdapterSlots; ++row) {
      const auto& m = target.rowMacs[row];
      std::printf("traffic %02x:%02x:%02x:%02x:%02x:%02x %llu %llu\n", m[0], m[1], m[2], m[3], m[4], m[5],
                  static_cast<unsigned long long>(target.tick.rows[row].tickSent),
                  static_cast<unsigned long long>(target.tick.rows[row].tickReceived));
    }
    PrintFlows(table);
    std::fflush(stdout);
  }
  channel.Close();
  return 0;
}
