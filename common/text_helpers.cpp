#include "common/text_helpers.h"

namespace {

int HexDigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

std::unique_ptr<std::wstring[]> SplitString(std::wstring_view text, wchar_t delimiter, int* count) {
  int delimiters = 0;
  for (wchar_t c : text) delimiters += (c == delimiter);
  if (delimiters == 0) {
    *count = 1;
    return nullptr;
  }
  *count = delimiters + 1;
  auto pieces = std::make_unique<std::wstring[]>(*count);
  int piece = 0;
  size_t start = 0;
  for (size_t at = text.find(delimiter); at != std::wstring_view::npos; at = text.find(delimiter, start)) {
    pieces[piece++] = std::wstring(text.substr(start, at - start));
    start = at + 1;
  }
  pieces[piece] = std::wstring(text.substr(start));
  return pieces;
}

uint8_t HexTextToByte(std::wstring_view text) {
  if (text.size() < 2) return 0;
  int high = HexDigitValue(text[0]);
  int low = HexDigitValue(text[1]);
  if (high < 0 || low < 0) return 0;
  return static_cast<uint8_t>(high << 4 | low);
}

void HexTextToMac(uint8_t mac[6], std::wstring_view text) {
  for (size_t i = 0; i < 6; ++i) {
    mac[i] = 2 * i < text.size() ? HexTextToByte(text.substr(2 * i)) : 0;
  }
}

void SwapIpv6Words(uint16_t words[8], const uint8_t address[16]) {
  for (int i = 0; i < 8; ++i) {
    words[i] = static_cast<uint16_t>(address[2 * i] << 8 | address[2 * i + 1]);
  }
}

int CommasToNuls(std::wstring& text) {
  int replaced = 0;
  for (wchar_t& c : text) {
    if (c == L',') {
      c = L'\0';
      ++replaced;
    }
  }
  return replaced;
}
