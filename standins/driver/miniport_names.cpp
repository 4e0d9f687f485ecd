// The naming rules of miniport_names.h.
#include "standins/driver/miniport_names.h"

#include <cstdio>
#include <cwchar>
#include <cwctype>

namespace {

const wchar_t kGuidTail[] = L"-0000-0000-0000-4E6574446576}";
const wchar_t kInterfacePrefix[] = L"qvx";

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

std::wstring AdapterGuidOfIndex(uint32_t index) {
  wchar_t text[40];
  std::swprintf(text, 40, L"{%08X%ls", static_cast<unsigned>(index), kGuidTail);
  return text;
}

bool IndexOfAdapterGuid(const std::wstring& guid, uint32_t* index) {
  const size_t tailLength = std::wcslen(kGuidTail);
  if (guid.size() != 1 + 8 + tailLength || guid[0] != L'{') return false;
  for (size_t i = 0; i < tailLength; ++i) {
    if (towupper(guid[9 + i]) != kGuidTail[i]) return false;
  }
  uint32_t value = 0;
  for (size_t i = 1; i <= 8; ++i) {
    int digit = HexValue(guid[i]);
    if (digit < 0) return false;
    value = value << 4 | static_cast<uint32_t>(digit);
  }
  if (value == 0 || value > 0x7FFFFFFF) return false;  // Linux indexes are positive ints
  *index = value;
  return true;
}

std::wstring MiniportInterfaceName(uint32_t index) { return kInterfacePrefix + std::to_wstring(index); }

bool IndexOfMiniportInterfaceName(const std::wstring& name, uint32_t* index) {
  const size_t prefixLength = std::wcslen(kInterfacePrefix);
  if (name.size() <= prefixLength || name.size() > prefixLength + 10 || name.compare(0, prefixLength, kInterfacePrefix) != 0)
    return false;
  if (name[prefixLength] == L'0') return false;  // one spelling per index
  uint64_t value = 0;
  for (size_t i = prefixLength; i < name.size(); ++i) {
    if (name[i] < L'0' || name[i] > L'9') return false;
    value = value * 10 + static_cast<uint64_t>(name[i] - L'0');
  }
  if (value == 0 || value > 0x7FFFFFFF) return false;
  *index = static_cast<uint32_t>(value);
  return true;
}

bool MacOfNetworkAddress(const std::wstring& networkAddress, std::string* mac) {
  if (networkAddress.size() != 12) return false;
  int bytes[6];
  for (int i = 0; i < 6; ++i) {
    int high = HexValue(networkAddress[2 * i]), low = HexValue(networkAddress[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    bytes[i] = high << 4 | low;
  }
  if (bytes[0] & 1) return false;
  char text[18];
  std::snprintf(text, sizeof text, "%02x:%02x:%02x:%02x:%02x:%02x", bytes[0], bytes[1], bytes[2], bytes[3], bytes[4],
                bytes[5]);
  *mac = text;
  return true;
}

std::string DefaultMacOfIndex(uint32_t index) {
  char text[18];
  std::snprintf(text, sizeof text, "02:4e:%02x:%02x:%02x:%02x", static_cast<unsigned>(index >> 24 & 0xFF),
                static_cast<unsigned>(index >> 16 & 0xFF), static_cast<unsigned>(index >> 8 & 0xFF),
                static_cast<unsigned>(index & 0xFF));
  return text;
}

bool IsPlainInterfaceName(const std::wstring& name) {
  if (name.empty() || name.size() > 15 || name == L"." || name == L"..") return false;
  for (wchar_t c : name) {
    bool plain = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_' ||
                 c == L'.' || c == L'-';
    if (!plain) return false;
  }
  return true;
}
