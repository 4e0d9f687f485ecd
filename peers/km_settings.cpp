#include "peers/km_settings.h"

#include <cstring>

#include "peers/km_line_fields.h"

KmSettingsHolder::KmSettingsHolder() : record(), snapshot_() {}

void KmSettingsHolder::Snapshot() {
  std::lock_guard<std::mutex> hold(lock_);
  std::memcpy(snapshot_.enabled, record.enabled, sizeof record.enabled);
  std::memcpy(snapshot_.octet3, record.octet3, sizeof record.octet3);
  std::memcpy(snapshot_.octet4, record.octet4, sizeof record.octet4);
  std::memcpy(snapshot_.clipSync, record.clipSync, sizeof record.clipSync);
  std::memcpy(snapshot_.key, record.key, sizeof record.key);
}

KmSlotSnapshot KmSettingsHolder::ReadSnapshot() const {
  std::lock_guard<std::mutex> hold(lock_);
  return snapshot_;
}

int32_t SwitchModeFromText(const std::wstring& trimmed) { return trimmed == L"1" ? 1 : 0; }

std::vector<std::wstring> KmCompListLines(const KmSettingsRecord& record) {
  std::vector<std::wstring> lines;
  for (int slot = 0; slot < KmSettingsRecord::kSlots; ++slot) {
    if (!record.enabled[slot]) continue;
    lines.push_back(std::to_wstring(slot) + L"," + std::to_wstring(record.octet3[slot]) + L"," +
                    std::to_wstring(record.octet4[slot]) + L"," + std::to_wstring(record.clipSync[slot]) + L"," +
                    KeyFieldText(record.key[slot]));
  }
  return lines;
}

void ApplyKmCompListLines(const std::vector<std::wstring>& lines, KmSettingsRecord* record) {
  for (const std::wstring& line : lines) {
    if (line.empty()) continue;
    const std::vector<std::wstring> fields = SplitLineFields(line);
    if (fields.size() != 5) continue;
    const int32_t slot = ReadDecimal(fields[0]);
    uint8_t key[kKmBlockSize];
    if (slot < 0 || slot >= KmSettingsRecord::kSlots || !ReadKeyField(fields[4], key)) continue;
    record->enabled[slot] = 1;
    record->octet3[slot] = static_cast<uint8_t>(ReadDecimal(fields[1]));
    record->octet4[slot] = static_cast<uint8_t>(ReadDecimal(fields[2]));
    record->clipSync[slot] = static_cast<uint8_t>(ReadDecimal(fields[3]));
    std::memcpy(record->key[slot], key, kKmBlockSize);
  }
}
