#include "adapters/address_dialog_rules.h"

#include <cstdio>

namespace {
int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

std::vector<std::wstring_view> Split(std::wstring_view text, wchar_t delimiter) {
  std::vector<std::wstring_view> parts;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(delimiter, start);
    parts.push_back(text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start));
    if (end == std::wstring_view::npos) break;
    start = end + 1;
  }
  return parts;
}
}  // namespace

bool ParsePrivateHost(std::wstring_view text, uint8_t* host) {
  if (text.empty() || text.size() > 3) return false;
  int value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + (c - L'0');
  }
  if (value < 1 || value > 249) return false;
  *host = static_cast<uint8_t>(value);
  return true;
}

uint8_t HexOctetFromEdit(std::wstring_view text) {
  if (text.size() < 2) return 0;
  int high = HexDigit(text[0]);
  int low = HexDigit(text[1]);
  if (high < 0 || low < 0) return 0;
  return static_cast<uint8_t>(high * 16 + low);
}

bool OctetsFromVirtualMacLine(std::wstring_view line, uint8_t octets[4]) {
  std::vector<std::wstring_view> parts = Split(line, L'-');
  if (parts.size() != 4) return false;
  for (int i = 0; i < 4; ++i) octets[i] = HexOctetFromEdit(parts[i]);
  return true;
}

std::wstring VirtualMacLine(const uint8_t octets[4]) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%02X-%02X-%02X-%02X", octets[0], octets[1], octets[2], octets[3]);
  return text;
}

std::vector<StaticAdapterEntry> StaticAdapterEntries(const IpAdapterRecord* records, uint32_t count,
                                                     std::wstring_view privateIp, std::wstring_view cloneGuid,
                                                     bool staticOnly) {
  std::vector<StaticAdapterEntry> entries;
  for (uint32_t i = 0; i < count; ++i) {
    const IpAdapterRecord& record = records[i];
    if (privateIp == record.ipv4 || record.isPseudo) continue;
    if (!staticOnly && cloneGuid == record.adapterName) continue;
    wchar_t text[40];
    std::swprintf(text, 40, L"%u - %ls", static_cast<unsigned>(i + 1), record.ipv4);
    entries.push_back({text, i});
  }
  return entries;
}

bool IsOctetText(std::wstring_view text) {
  if (text.empty() || text.size() > 3) return false;
  int value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + (c - L'0');
  }
  return value <= 255;
}

std::vector<std::wstring> AddressParts(std::wstring_view address) {
  std::vector<std::wstring_view> parts = Split(address, L'.');
  if (parts.size() != 4) return {L"0", L"0", L"0", L"0"};
  return {std::wstring(parts[0]), std::wstring(parts[1]), std::wstring(parts[2]), std::wstring(parts[3])};
}
