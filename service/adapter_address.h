// IPv4 addresses of this computer's adapters, as the responder needs them before it binds.
#pragma once
#include <cstdint>

// The first IPv4 address of the adapter whose GUID name matches exactly, as dotted text in a
// buffer of 16 characters; false when no adapter matched or the list cannot be read.
bool GetAdapterIpByGuid(wchar_t address[16], const wchar_t* guidName);

// Whether some adapter holds the address now. Wine lets a UDP socket bind to an address that no
// adapter holds (it binds to every address instead), so the responder asks before it binds.
bool LocalAddressPresent(const uint8_t address[4]);
