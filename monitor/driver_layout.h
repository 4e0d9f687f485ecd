// What the client and the driver's control device agree on: the device names, the I/O control
// codes, and the sizes of the traffic records and flow entries. No Windows header, so the native
// tree and the stand-in driver's helper share it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace driver_layout {

constexpr wchar_t kDeviceNameNdis6[] = L"\\\\.\\LANVEXN6";
constexpr wchar_t kDeviceNameXp[] = L"\\\\.\\LANVEXN5";

// FILE_DEVICE_NETWORK, FILE_READ_ACCESS | FILE_WRITE_ACCESS, METHOD_BUFFERED, functions 0x201...
constexpr uint32_t ControlCode(uint32_t function) { return 0x12u << 16 | 3u << 14 | function << 2; }
constexpr uint32_t kGetTcp4Flows = ControlCode(0x201);    // 0x12C804
constexpr uint32_t kGetFlowSizes = ControlCode(0x202);    // 0x12C808
constexpr uint32_t kGetUdp4Flows = ControlCode(0x203);
constexpr uint32_t kGetTcp6Flows = ControlCode(0x204);
constexpr uint32_t kGetUdp6Flows = ControlCode(0x205);
constexpr uint32_t kGetTrafficSize = ControlCode(0x206);
constexpr uint32_t kGetTraffic = ControlCode(0x207);
constexpr uint32_t kOnOpen = ControlCode(0x208);          // 0x12C820

constexpr size_t kFlowSizesReply = 8;    // IPv4 buffer size, IPv6 buffer size
constexpr size_t kTrafficSizeReply = 4;
constexpr size_t kOnOpenBuffer = 4;

constexpr uint32_t kTrafficKindEnd = 0;
constexpr uint32_t kTrafficKindCounters = 64;
constexpr size_t kTrafficRecordHeader = 10;   // kind, MAC
constexpr size_t kTrafficRecordWithCounters = 74;
constexpr size_t kTrafficCounters = 8;

constexpr size_t kFlowBlockHeader = 12;
constexpr size_t kIpv4FlowEntry = 24;
constexpr size_t kIpv6FlowEntry = 48;
// In an IPv4 TCP entry: another computer asked to open a connection to this one.
constexpr uint32_t kFlowFlagInboundRequest = 2;

}  // namespace driver_layout
