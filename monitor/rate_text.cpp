#include "monitor/rate_text.h"

#include <cinttypes>
#include <cstdio>

namespace {
std::string Printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}
std::string HalfBytes(uint64_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%" PRIu64, value / 2);
  return text;
}
}  // namespace

std::string FormatTickBytes(uint64_t value, int unit) {
  if (unit == kUnitBytes) return HalfBytes(value);
  if (unit == kUnitKBytes) return Printed("%.02f K", static_cast<double>(value) / 1024 / 2);
  return Printed("%.02f M", static_cast<double>(value) / 1024 / 1024 / 2);
}

std::string FormatStatusFigure(uint64_t value, int unit) {
  if (unit == kUnitBytes || unit == kUnitKBytes || unit == kUnitMBytes) return FormatTickBytes(value, unit);
  return " ";
}
