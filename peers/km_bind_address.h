// Where the interactive program's UDP service and clipboard server bind: the private address, or,
// without virtual adapters (0.0.0.0), the physical adapter's own address found by its GUID name.
// Both wait for the adapter's link first, and for a routable address while it has a 169.254 one.
#pragma once
#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <string>

// The IPv4 address text (at most 15 characters) of the adapter with this GUID name; false when
// the adapter list cannot be read or no adapter matches. The last matching adapter wins.
bool GetAdapterIpByGuid(wchar_t address[16], const wchar_t* guidName);

struct LocalBindPlan {
  uint8_t privateAddress[4] = {};
  std::wstring adapterName;  // the adapter table's name (link state)
  std::wstring adapterGuid;  // GetAdaptersInfo's name
  uint16_t port = 0;
};

// Binds `socket` when the adapter is ready, retrying every second (every 2 seconds while the
// adapter's address is 169.254.x.x). False when a stop came first; the waits end early on
// `stopEvent`.
bool BindWhenAdapterReady(SOCKET socket, const LocalBindPlan& plan, const std::atomic<bool>& stop, HANDLE stopEvent);
