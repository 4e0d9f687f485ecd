// Row keys of the report lists: each row carries its column texts, and the column sorts compare
// one field of two rows as UTF-16 code units. The fields are kept apart, so a comma inside a
// computer name cannot shift the fields as it would in one joined text.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct RowKey {
  std::vector<std::wstring> fields;
};

// Field |sortKey| (1 for the first) of both keys, first differing unit decides: -1 when the first
// row's is smaller, 1 when greater, 0 for equal texts; a negative key negates it. A missing field
// counts as empty.
int CompareRowKeys(const RowKey& first, const RowKey& second, int32_t sortKey);

// The next sort key of a click on column (0-based): column + 1, negated when it is the current key.
int32_t NextSortKey(int32_t currentKey, int column);

// The keys of one list; the list's item data points into it until Clear.
class RowKeyList {
 public:
  RowKey* Add(std::vector<std::wstring> fields);
  void Clear() { keys_.clear(); }
  size_t Size() const { return keys_.size(); }

 private:
  std::vector<std::unique_ptr<RowKey>> keys_;
};
