#include "peers/row_keys.h"

#include <cstdlib>

namespace {
const std::wstring& Field(const RowKey& key, size_t index) {
  static const std::wstring empty;
  return index < key.fields.size() ? key.fields[index] : empty;
}
}  // namespace

int CompareRowKeys(const RowKey& first, const RowKey& second, int32_t sortKey) {
  if (sortKey == 0) return 0;
  const size_t index = static_cast<size_t>(std::abs(sortKey)) - 1;
  const std::wstring& a = Field(first, index);
  const std::wstring& b = Field(second, index);
  int result = 0;
  for (size_t i = 0;; ++i) {
    const uint32_t unitA = i < a.size() ? static_cast<uint16_t>(a[i]) : 0;
    const uint32_t unitB = i < b.size() ? static_cast<uint16_t>(b[i]) : 0;
    if (unitA != unitB) {
      result = unitA < unitB ? -1 : 1;
      break;
    }
    if (unitA == 0) break;
  }
  return sortKey < 0 ? -result : result;
}

int32_t NextSortKey(int32_t currentKey, int column) {
  const int32_t key = column + 1;
  return key == currentKey ? -key : key;
}

RowKey* RowKeyList::Add(std::vector<std::wstring> fields) {
  keys_.push_back(std::make_unique<RowKey>());
  keys_.back()->fields = std::move(fields);
  return keys_.back().get();
}
