// The "NetworkAddress" value of a virtual miniport's driver key, found by the adapter's GUID among
// the devices described as the product's miniport: how a changed virtual MAC reaches the driver.
#pragma once
#include <cstdint>
#include <string>

// MAC 02, octets[0..3], index as 12 upper-case hex digits, stored without a terminating NUL. True
// when at least one device took the value.
bool SetAdapterNetworkAddress(const std::wstring& adapterGuid, int index, const uint8_t octets[4]);
