// The installation plan's pure rules: which sequence a plan takes, the settings files' lines, and
// the starting static addresses of the other adapters. No windows.h: the native build checks them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum LinkType : int {
  kLinkDhcp = 0,
  kLinkPppoe = 1,
  kLinkStaticDhcpShared = 2,
  kLinkStaticOnly = 3,
  kLinkPhysical = 4,
  kLinkDirectConnIp1 = 5,
  kLinkDirectConnIp2 = 6,
  kLinkRouterDhcp = 7,
};

struct InstallPlan {
  bool wireless = false;
  int subnet = 0;  // S of 192.168.S.H
  int host = 0;    // H
  std::wstring physicalGuid;
  std::wstring physicalDescription;
  uint8_t physicalMac[6] = {};
  uint8_t virtualMac[6] = {};
  int linkType = kLinkDhcp;
  int count = 2;  // N virtual adapters
};

// Which sequence a plan runs, and with which address.
struct InstallRoute {
  enum Kind { kNothing, kVirtualAdapters, kWithoutDriver } kind = kNothing;
  bool noAddress = false;
  int host = 0;
};
InstallRoute ChooseInstallRoute(bool wireless, int linkType, int host);

// "192.168.S.H".
std::wstring PrivateAddressText(int subnet, int host);
// "%02X" six times, no separator.
std::wstring PhysicalMacText(const uint8_t mac[6]);
// Bytes 1 to 4 of the virtual MAC, "-"-separated.
std::wstring VirtualMacText(const uint8_t virtualMac[6]);
// NIC 2's MAC: bytes 0 to 4 of the virtual MAC and 02, "-"-separated.
std::wstring PppoeMacText(const uint8_t virtualMac[6]);

// The public resolver the static adapters are given.
inline constexpr wchar_t kPublicDnsServer[] = L"8.8.8.8";

// A starting static address of one virtual adapter (NIC number, address, gateway).
struct StaticAddress {
  int nic;
  std::wstring address;
  std::wstring gateway;
};
// STATIC_DHCP_SHARED: NIC k = 2..N-1 gets 192.168.(9+k).100; STATIC_ONLY: NIC 0 192.168.11.100 and
// NIC k = 2..N-1 192.168.(10+k).100; gateways .1 of the same net; nothing for other link types.
std::vector<StaticAddress> StaticAddressPlan(int linkType, int count);
