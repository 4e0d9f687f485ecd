// The wizard's private address plan: the subnet octet S from the network name, the host octet H
// and the proposed virtual MAC from the physical MAC, and the free host the used-address scan
// moves H to. No windows.h: pure rules, checked by tables.
#pragma once
#include <cstdint>
#include <string_view>

constexpr int kScanHosts = 249;       // hosts 1..249 are probed
constexpr int kPickableHosts = 248;   // hosts 1..248 may replace a used one

// S from the first 16 units of the name: "[n]" with only digits between the brackets forces n
// modulo 256 (beyond the signed 32-bit range n counts as 2147483647); anything else is hashed
// with one prime per position into 20..199.
int SubnetFromNetworkName(std::wstring_view name);
// H = (53 M0 + 59 M1 + 61 M2 + 67 M3 + 71 M4 + 73 M5) mod 249, plus 1.
int HostFromMac(const uint8_t mac[6]);
// 02, M3, M4, M5, S, 00.
void ProposeVirtualMac(uint8_t virtualMac[6], const uint8_t physicalMac[6], int subnet);

struct FreeHostPick {
  int host = 0;          // the host to install with
  bool changed = false;  // the planned one was used and another was picked
  bool noFreeHost = false;  // the planned one was used and 1..248 are all used: it is kept
};
// used[h - 1] for the hosts 1..249. A used planned host becomes the (tick mod F + 1)-th free host
// of 1..248 in ascending order, F their count.
FreeHostPick PickFreeHost(const bool used[kScanHosts], int plannedHost, uint32_t tick);
