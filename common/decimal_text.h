// The one decimal reader of both programs: the command line's values, the settings files and the
// Swivo key files all read their numbers through it.
#pragma once
#include <cstdint>
#include <string_view>

// One overflow rule for both readers: a value beyond the range of the result is clamped to that
// range's end, as wcstol clamps it; it never wraps.

// As wcstol with base 10 reads: leading white space (space, tab to CR) skipped, an optional sign,
// then digits up to the first non-digit; no digits give 0. Clamped to INT32_MIN and INT32_MAX.
int32_t ReadDecimal(std::wstring_view text);

// The same for values that take no sign (time-outs, ports, address octets): a sign is a non-digit
// and gives 0. Clamped to UINT32_MAX, so "4294967295" still means the longest time-out.
uint32_t ReadUnsignedDecimal(std::wstring_view text);
