// DriverChannel: the program's one link to the driver's control device. Open sizes and allocates
// the reply buffers once; every refresh tick polls the traffic records into the Status page's
// rows and, while wanted, the four flow tables into the Connections table; inbound remote-desktop
// and file-sharing requests become LogRecords sent to the owner window. GUI thread only.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

#include "adapters/adapter_records.h"
#include "monitor/conn_table.h"
#include "monitor/traffic_counters.h"

// The device calls, a seam for the benchmark and the tests; the real ones by default.
struct DeviceCalls {
  HANDLE (*open)(const wchar_t* name);
  bool (*control)(HANDLE device, DWORD code, void* buffer, DWORD size, DWORD* returned);
  void (*close)(HANDLE device);
};
const DeviceCalls& RealDeviceCalls();

// What the Status page gives the traffic poll and gets from it.
struct TrafficTarget {
  std::vector<std::array<uint8_t, 6>> rowMacs;  // one per row of its adapter table
  TrafficTick tick;
};

class DriverChannel {
 public:
  explicit DriverChannel(const DeviceCalls& calls = RealDeviceCalls()) : calls_(calls) {}
  ~DriverChannel() { Close(); }
  DriverChannel(const DriverChannel&) = delete;
  DriverChannel& operator=(const DriverChannel&) = delete;

  // The own adapter table decides which remote addresses are this computer's own.
  void Open(bool wantConnections, HWND ownerWindow, bool useXpDevice);
  // The own addresses, for callers that fill the table themselves (tests, benchmark).
  void SetOwnAddresses(const std::vector<uint32_t>& addresses) { ownAddresses_ = addresses; }
  bool IsOpen() const { return device_ != INVALID_HANDLE_VALUE; }
  bool WantConnections() const { return wantConnections_; }

  void SendOpenNotice();
  // Tick step 1: count the tick (a wrap restarts the slots).
  void BeginTick() { counters_.BeginTick(); }
  bool PollTraffic(TrafficTarget* target);
  bool PollTcp4(ConnTable* table);
  bool PollUdp4(ConnTable* table);
  bool PollTcp6(ConnTable* table);
  bool PollUdp6(ConnTable* table);
  bool QueryConnectionBufferSizes(uint32_t* ipv4Size, uint32_t* ipv6Size);
  void ResetCounters() { counters_.Reset(); }
  // Closes the handle only (before a removal); the buffers stay until Close.
  void CloseHandleOnly();
  void Close();

  // The parsers, public for the tests and the benchmark.
  void ParseIpv4Connections(ConnTable* table, const uint8_t* reply, size_t returned, bool isTcp);
  void ParseIpv6Connections(ConnTable* table, const uint8_t* reply, size_t returned, bool isTcp);

 private:
  bool Request(DWORD code, std::vector<uint8_t>& buffer, DWORD* returned);
  bool PollIpv4(ConnTable* table, DWORD code, bool isTcp);
  bool PollIpv6(ConnTable* table, DWORD code, bool isTcp);
  void ReportRequest(uint32_t type, uint32_t remote);

  const DeviceCalls& calls_;
  HANDLE device_ = INVALID_HANDLE_VALUE;
  bool wantConnections_ = false;
  TrafficCounters counters_;
  std::vector<uint8_t> traffic_, ipv4Flows_, ipv6Flows_;  // empty: absent
  HWND owner_ = nullptr;
  std::vector<uint32_t> ownAddresses_;  // most significant byte first octet
};
