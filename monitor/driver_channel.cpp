#include "monitor/driver_channel.h"

#include <cwchar>

#include "adapters/adapter_enum.h"
#include "monitor/driver_layout.h"
#include "monitor/driver_replies.h"
#include "monitor/log_ring.h"
#include "shell/main_messages.h"

namespace {
constexpr uint16_t kRemoteDesktopPort = 3389;
constexpr uint16_t kFileSharingPort = 445;

HANDLE OpenDevice(const wchar_t* name) {
  return ::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}
bool ControlDevice(HANDLE device, DWORD code, void* buffer, DWORD size, DWORD* returned) {
  *returned = 0;
  return ::DeviceIoControl(device, code, buffer, size, buffer, size, returned, nullptr) != FALSE;
}
void CloseDevice(HANDLE device) { ::CloseHandle(device); }

uint32_t AddressNumber(const wchar_t* text) {
  unsigned a, b, c, d;
  if (std::swscanf(text, L"%u.%u.%u.%u", &a, &b, &c, &d) != 4) return 0;
  return a << 24 | b << 16 | c << 8 | d;
}
}  // namespace

const DeviceCalls& RealDeviceCalls() {
  static const DeviceCalls calls = {OpenDevice, ControlDevice, CloseDevice};
  return calls;
}

void DriverChannel::Open(bool wantConnections, HWND ownerWindow, bool useXpDevice) {
  wantConnections_ = wantConnections;
  owner_ = ownerWindow;
  traffic_.clear();
  ipv4Flows_.clear();
  ipv6Flows_.clear();
  IpAdapterRecord own[kMaxAdapterRecords];
  uint32_t count = 0;
  ownAddresses_.clear();
  if (EnumAdaptersWithPppoe(own, &count, kAllAdapters)) {
    for (uint32_t i = 0; i < count; ++i) {
      if (uint32_t number = AddressNumber(own[i].ipv4)) ownAddresses_.push_back(number);
    }
  }
  counters_.Reset();
  device_ = calls_.open(useXpDevice ? driver_layout::kDeviceNameXp : driver_layout::kDeviceNameNdis6);
  if (device_ == INVALID_HANDLE_VALUE || !device_) {
    device_ = INVALID_HANDLE_VALUE;
    return;
  }
  std::vector<uint8_t> size(driver_layout::kTrafficSizeReply);
  DWORD returned = 0;
  uint32_t trafficSize = 0;
  if (!Request(driver_layout::kGetTrafficSize, size, &returned) ||
      !ReadTrafficSizeReply(size.data(), returned, &trafficSize) || trafficSize == 0) {
    Close();
    return;
  }
  traffic_.assign(trafficSize, 0);
  if (!wantConnections_) return;
  uint32_t four = 0, six = 0;
  if (!QueryConnectionBufferSizes(&four, &six) || four == 0 || six == 0) {
    Close();
    return;
  }
  ipv4Flows_.assign(four, 0);
  ipv6Flows_.assign(six, 0);
}

bool DriverChannel::Request(DWORD code, std::vector<uint8_t>& buffer, DWORD* returned) {
  *returned = 0;
  if (!calls_.control(device_, code, buffer.data(), static_cast<DWORD>(buffer.size()), returned)) return false;
  // A driver that claims more than the buffer holds is read only within the buffer.
  if (*returned > buffer.size()) *returned = static_cast<DWORD>(buffer.size());
  return true;
}

void DriverChannel::SendOpenNotice() {
  if (!IsOpen()) return;
  std::vector<uint8_t> buffer(driver_layout::kOnOpenBuffer);
  DWORD returned = 0;
  Request(driver_layout::kOnOpen, buffer, &returned);
}

bool DriverChannel::QueryConnectionBufferSizes(uint32_t* ipv4Size, uint32_t* ipv6Size) {
  if (!IsOpen()) return false;
  std::vector<uint8_t> buffer(driver_layout::kFlowSizesReply);
  DWORD returned = 0;
  return Request(driver_layout::kGetFlowSizes, buffer, &returned) &&
         ReadFlowSizesReply(buffer.data(), returned, ipv4Size, ipv6Size);
}

bool DriverChannel::PollTraffic(TrafficTarget* target) {
  if (!IsOpen() || traffic_.empty()) return false;
  DWORD returned = 0;
  if (!Request(driver_layout::kGetTraffic, traffic_, &returned)) return false;
  ApplyTrafficReply(traffic_.data(), returned, target->rowMacs, &counters_, &target->tick);
  return true;
}

bool DriverChannel::PollIpv4(ConnTable* table, DWORD code, bool isTcp) {
  if (!IsOpen() || !wantConnections_ || ipv4Flows_.empty()) return false;
  DWORD returned = 0;
  if (!Request(code, ipv4Flows_, &returned)) return false;
  ParseIpv4Connections(table, ipv4Flows_.data(), returned, isTcp);
  return true;
}

bool DriverChannel::PollIpv6(ConnTable* table, DWORD code, bool isTcp) {
  if (!IsOpen() || !wantConnections_ || ipv6Flows_.empty()) return false;
  DWORD returned = 0;
  if (!Request(code, ipv6Flows_, &returned)) return false;
  ParseIpv6Connections(table, ipv6Flows_.data(), returned, isTcp);
  return true;
}

bool DriverChannel::PollTcp4(ConnTable* table) { return PollIpv4(table, driver_layout::kGetTcp4Flows, true); }
bool DriverChannel::PollUdp4(ConnTable* table) { return PollIpv4(table, driver_layout::kGetUdp4Flows, false); }
bool DriverChannel::PollTcp6(ConnTable* table) { return PollIpv6(table, driver_layout::kGetTcp6Flows, true); }
bool DriverChannel::PollUdp6(ConnTable* table) { return PollIpv6(table, driver_layout::kGetUdp6Flows, false); }

void DriverChannel::ParseIpv4Connections(ConnTable* table, const uint8_t* reply, size_t returned, bool isTcp) {
  WalkIpv4Flows(reply, returned, [&](const Ipv4Flow& flow) {
    if (table) {
      table->AddIpv4FlowBytes(flow.local, flow.remote, flow.localPort, flow.remotePort, flow.sent, flow.received,
                              isTcp);
    }
    for (uint32_t own : ownAddresses_) {
      if (own == flow.remote) return;  // this computer's own traffic
    }
    if (!isTcp || !(flow.flags & driver_layout::kFlowFlagInboundRequest)) return;
    if (flow.localPort == kRemoteDesktopPort) ReportRequest(kLogRemoteDesktop, flow.remote);
    if (flow.localPort == kFileSharingPort) ReportRequest(kLogFileSharing, flow.remote);
  });
}

void DriverChannel::ParseIpv6Connections(ConnTable* table, const uint8_t* reply, size_t returned, bool isTcp) {
  if (!table) return;
  WalkIpv6Flows(reply, returned, [&](const Ipv6Flow& flow) {
    table->AddIpv6FlowBytes(flow.local, flow.remote, flow.localPort, flow.remotePort, flow.sent, flow.received, isTcp);
  });
}

void DriverChannel::ReportRequest(uint32_t type, uint32_t remote) {
  auto* record = static_cast<LogRecord*>(::HeapAlloc(::GetProcessHeap(), 0, sizeof(LogRecord)));
  if (!record) return;
  record->type = type;
  record->address = remote;
  // The receiver frees it; without a window to receive it, it is freed here.
  if (!owner_ || !::IsWindow(owner_)) {
    ::HeapFree(::GetProcessHeap(), 0, record);
    return;
  }
  ::SendMessageW(owner_, UM_LOG_RECORD, 0, reinterpret_cast<LPARAM>(record));
}

void DriverChannel::CloseHandleOnly() {
  if (device_ != INVALID_HANDLE_VALUE) calls_.close(device_);
  device_ = INVALID_HANDLE_VALUE;
}

void DriverChannel::Close() {
  CloseHandleOnly();
  traffic_.clear();
  traffic_.shrink_to_fit();
  ipv4Flows_.clear();
  ipv4Flows_.shrink_to_fit();
  ipv6Flows_.clear();
  ipv6Flows_.shrink_to_fit();
}
