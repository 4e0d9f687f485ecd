#include "adapters/adapter_records.h"

#include <cstdio>
#include <cstring>

#include "adapters/miniport_values.h"
#include "common/text_helpers.h"

void CopyField(wchar_t* field, size_t capacity, std::wstring_view text) {
  const size_t length = text.size() < capacity ? text.size() : capacity - 1;
  for (size_t i = 0; i < length; ++i) field[i] = text[i];
  field[length] = 0;
}

bool PassesAdapterFilter(int filter, std::wstring_view description) {
  if (filter == kAllAdapters) return true;
  if (filter == kMiniportsOnly) return IsMiniportDescription(description.substr(0, 128));
  return false;
}

bool AddAdapterRecord(IpAdapterRecord* records, uint32_t& count, const AdapterListing& adapter) {
  if (count >= kMaxAdapterRecords) return false;
  IpAdapterRecord& record = records[count];
  std::memcpy(record.mac, adapter.mac, sizeof record.mac);
  CopyField(record.ipv4, adapter.ipv4);
  CopyField(record.ipv6, adapter.ipv6);
  CopyField(record.gateway, adapter.gateway);
  CopyField(record.description, adapter.description);
  CopyField(record.adapterName, adapter.adapterName);
  CopyField(record.indexText, std::to_wstring(adapter.index));
  record.defaultRoute = 0;
  record.isPseudo = 0;
  ++count;
  return true;
}

bool AddPppoePseudoRecord(IpAdapterRecord* records, uint32_t& count, const uint8_t mac[6]) {
  if (count >= kMaxAdapterRecords) return false;
  IpAdapterRecord& record = records[count];
  CopyField(record.indexText, L" ");
  CopyField(record.ipv4, L"0.0.0.0");
  CopyField(record.gateway, L"0.0.0.0");
  CopyField(record.description, L"Virtual Adapter for PPPoE");
  std::memcpy(record.mac, mac, sizeof record.mac);
  record.defaultRoute = 0;
  record.isPseudo = 1;
  ++count;
  return true;
}

void PppoeMacFromText(uint8_t mac[6], std::wstring_view text) {
  std::memset(mac, 0, 6);
  if (text.empty()) return;
  int fields = 0;
  auto pieces = SplitString(text, L'-', &fields);
  if (fields != 6 || !pieces) return;
  for (int i = 0; i < 6; ++i) mac[i] = HexTextToByte(pieces[i]);
}

std::wstring FormatIpv6Groups(const uint8_t address[16]) {
  static const wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring text;
  for (int group = 0; group < 8; ++group) {
    if (group) text += L':';
    for (int byte = 0; byte < 2; ++byte) {
      const uint8_t value = address[group * 2 + byte];
      text += kDigits[value >> 4];
      text += kDigits[value & 0xF];
    }
  }
  return text;
}
