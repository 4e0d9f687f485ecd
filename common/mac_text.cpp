#include "common/mac_text.h"

#include "common/text_helpers.h"

void ParseMacAddressText(uint8_t mac[6], std::wstring_view text) {
  text = text.substr(0, kMaxMacTextLength);
  for (size_t i = 0; i < 6; ++i) {
    size_t position = 3 * i;
    mac[i] = position < text.size() ? HexTextToByte(text.substr(position)) : 0;
  }
}
