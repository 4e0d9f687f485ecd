// The Swivo settings files' line parsers on whatever a file may hold: the key table's FromLines
// and the hotkey slots' ApplyKmCompListLines. What a parse keeps must write out and read back to
// the same lines. Input: UTF-16LE text, split into lines at LF (a CR stays in its line, as a reader
// of a damaged file might leave it).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "peers/km_key_table.h"
#include "peers/km_settings.h"

namespace {

std::vector<std::wstring> LinesOf(const uint8_t* data, size_t size) {
  std::vector<std::wstring> lines(1);
  for (size_t at = 0; at + 1 < size; at += 2) {
    const wchar_t unit = static_cast<wchar_t>(data[at] | data[at + 1] << 8);
    if (unit == L'\n') {
      lines.emplace_back();
    } else {
      lines.back().push_back(unit);
    }
  }
  return lines;
}

void KeyTableRoundTrip(const std::vector<std::wstring>& lines) {
  KmKeyTable first;
  first.FromLines(lines);
  const std::vector<std::wstring> written = first.ToLines();
  KmKeyTable second;
  second.FromLines(written);
  if (second.ToLines() != written) std::abort();
}

void CompListRoundTrip(const std::vector<std::wstring>& lines) {
  KmSettingsRecord first = {};
  ApplyKmCompListLines(lines, &first);
  const std::vector<std::wstring> written = KmCompListLines(first);
  KmSettingsRecord second = {};
  ApplyKmCompListLines(written, &second);
  if (KmCompListLines(second) != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::wstring> lines = LinesOf(data, size);
  KeyTableRoundTrip(lines);
  CompListRoundTrip(lines);
  return 0;
}
