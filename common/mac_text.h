// The MAC address text WMI reports ("00:1A:2B:3C:4D:5E") as six bytes.
#pragma once
#include <cstdint>
#include <string_view>

// Longest MAC text that is looked at; anything after it is ignored.
constexpr size_t kMaxMacTextLength = 31;

// Takes the hex pairs at character positions 0, 3, 6, 9, 12 and 15, high digit first. A pair with
// anything but a hex digit (a ":" included), or cut off by the end of the text, gives 0.
void ParseMacAddressText(uint8_t mac[6], std::wstring_view text);
