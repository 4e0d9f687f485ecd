#include "peers/km_line_fields.h"

#include "common/text_helpers.h"

bool ReadKeyField(std::wstring_view field, uint8_t key[kKmBlockSize]) {
  if (field.size() < 2 * kKmBlockSize) return false;
  for (size_t i = 0; i < kKmBlockSize; ++i) key[i] = HexTextToByte(field.substr(2 * i, 2));
  return true;
}

std::wstring KeyFieldText(const uint8_t key[kKmBlockSize]) {
  static const wchar_t digits[] = L"0123456789ABCDEF";
  std::wstring text;
  for (size_t i = 0; i < kKmBlockSize; ++i) {
    text.push_back(digits[key[i] >> 4]);
    text.push_back(digits[key[i] & 15]);
  }
  return text;
}

std::vector<std::wstring> SplitLineFields(const std::wstring& line) {
  int count = 0;
  const auto pieces = SplitString(line, L',', &count);
  if (!pieces) return {line};
  return std::vector<std::wstring>(pieces.get(), pieces.get() + count);
}
