#include "adapters/miniport_values.h"

#include "adapters/binding_rules.h"

namespace {

const wchar_t kHexDigits[] = L"0123456789ABCDEF";
const std::wstring_view kDevicePrefix = L"\\Device\\";

}  // namespace

bool IsMiniportDescription(std::wstring_view description) {
  const std::wstring_view miniport = kMiniportDescription;
  return description.substr(0, miniport.size()) == miniport;
}

void NicMac(uint8_t mac[6], const uint8_t virtualMac[6], int nic) {
  for (int i = 0; i < 5; ++i) mac[i] = virtualMac[i];
  mac[5] = static_cast<uint8_t>(nic);
}

std::wstring NetworkAddressText(const uint8_t virtualMac[6], int nic) {
  uint8_t mac[6];
  NicMac(mac, virtualMac, nic);
  std::wstring text;
  for (uint8_t byte : mac) {
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 0xF];
  }
  return text;
}

std::wstring DriverFolder(bool xp, std::wstring_view physicalDescription) {
  const bool intel = LowerAscii(physicalDescription).find(L"intel") != std::wstring::npos;
  return xp || intel ? L"drv\\XP64\\" : L"drv\\64\\";
}

std::vector<char16_t> BuildUpperBindings(const std::vector<std::wstring>& virtualGuids) {
  const size_t capacity = kUpperBindingsBytes / sizeof(char16_t);
  std::vector<char16_t> list;
  for (const auto& guid : virtualGuids) {
    const size_t entry = kDevicePrefix.size() + guid.size() + 1;
    if (list.size() + entry + 1 > capacity) break;
    for (wchar_t c : kDevicePrefix) list.push_back(static_cast<char16_t>(c));
    for (wchar_t c : guid) list.push_back(static_cast<char16_t>(c));
    list.push_back(0);
  }
  list.push_back(0);
  return list;
}

std::vector<std::wstring> ParseUpperBindings(const char16_t* data, size_t units) {
  std::vector<std::wstring> entries;
  std::wstring current;
  auto finish = [&] {
    if (!current.empty() && entries.size() < kMaxUpperBindingEntries)
      entries.push_back(current.substr(0, kUpperBindingEntryUnits - 1));
    current.clear();
  };
  for (size_t i = 0; i < units; ++i) {
    const char16_t c = data[i];
    if (c == 0 || c == u'\r' || c == u'\n') {
      finish();
    } else {
      current += static_cast<wchar_t>(c);
    }
  }
  finish();
  return entries;
}
