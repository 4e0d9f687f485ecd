// Byte figures of one 2-second tick as per-second texts: "%llu" of the value halved for Bytes,
// "%.02f K" and "%.02f M" for K Bytes and M Bytes. Values are 64-bit throughout.
#pragma once
#include <cstdint>
#include <string>

enum RateUnit { kUnitBytes = 0, kUnitKBytes = 1, kUnitMBytes = 2 };

// The Connections dialog's byte text (any unit outside 0..2 reads as M Bytes).
std::string FormatTickBytes(uint64_t value, int unit);
// The Status page's text: Bytes as above, K and M as above, a single space for any other unit.
std::string FormatStatusFigure(uint64_t value, int unit);
