#include "common/decimal_text.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

size_t SkipBlanks(std::wstring_view text) {
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

// The digits from `at` on, held at `ceiling` once they go beyond it, so nothing overflows.
int64_t DigitsFrom(std::wstring_view text, size_t at, int64_t ceiling) {
  int64_t value = 0;
  for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
    value = value * 10 + (text[at] - L'0');
    if (value > ceiling) value = ceiling;
  }
  return value;
}

}  // namespace

int32_t ReadDecimal(std::wstring_view text) {
  size_t at = SkipBlanks(text);
  bool negative = false;
  if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) negative = text[at++] == L'-';
  // 2^31 is still in range below zero.
  const int64_t value = DigitsFrom(text, at, int64_t{INT32_MAX} + 1);
  if (negative) return static_cast<int32_t>(-value);
  return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

uint32_t ReadUnsignedDecimal(std::wstring_view text) {
  return static_cast<uint32_t>(DigitsFrom(text, SkipBlanks(text), UINT32_MAX));
}
