// Small text helpers shared by many pages: splitting, hex pairs, IPv6 words and row keys.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// Splits text at every delimiter. Two or more pieces come back as an array (empty pieces count);
// text without the delimiter gives a count of 1 and no array.
std::unique_ptr<std::wstring[]> SplitString(std::wstring_view text, wchar_t delimiter, int* count);

// The first two characters as a hex byte, high nibble first; 0 when either is missing or not a digit.
uint8_t HexTextToByte(std::wstring_view text);

// Six bytes from twelve hex digits; a pair with a non-digit, or cut short, gives 0.
void HexTextToMac(uint8_t mac[6], std::wstring_view text);

// The eight groups of an IPv6 address (network order) in host order.
void SwapIpv6Words(uint16_t words[8], const uint8_t address[16]);

// Turns every "," into NUL in place; the text keeps its length. Returns how many were replaced.
int CommasToNuls(std::wstring& text);
