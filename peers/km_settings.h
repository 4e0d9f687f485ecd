// The controlling side's Swivo settings: two hotkey slots (peer, clipboard sharing, pairing key)
// and the switch-key mode, kept in "KmCompList.txt" and "SwKbSetting.txt".
#pragma once
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "common/secure_clear.h"
#include "peers/lan_message.h"

struct KmSettingsRecord {
  static constexpr int kSlots = 2;
  uint8_t enabled[kSlots];
  uint8_t octet3[kSlots];
  uint8_t octet4[kSlots];
  uint8_t clipSync[kSlots];
  uint8_t key[kSlots][kKmBlockSize];
  int32_t switchMode;  // 0: [Ctrl]+[Alt]+digit, 1: [Ctrl]+digit
  ~KmSettingsRecord() { SecureClear(key, sizeof key); }
};

inline constexpr wchar_t kSwKbSettingFile[] = L"SwKbSetting.txt";
inline constexpr wchar_t kKmCompListFile[] = L"KmCompList.txt";

// The slot fields of a record, as other threads read them.
struct KmSlotSnapshot {
  uint8_t enabled[KmSettingsRecord::kSlots];
  uint8_t octet3[KmSettingsRecord::kSlots];
  uint8_t octet4[KmSettingsRecord::kSlots];
  uint8_t clipSync[KmSettingsRecord::kSlots];
  uint8_t key[KmSettingsRecord::kSlots][kKmBlockSize];
  ~KmSlotSnapshot() { SecureClear(key, sizeof key); }  // the copies other threads take
};

// A record with its lock and a snapshot of its slot fields. The record is written and read on the
// user-interface thread only; other threads take the snapshot through ReadSnapshot.
class KmSettingsHolder {
 public:
  KmSettingsHolder();
  KmSettingsHolder(const KmSettingsHolder&) = delete;
  KmSettingsHolder& operator=(const KmSettingsHolder&) = delete;

  KmSettingsRecord record;

  void Snapshot();
  KmSlotSnapshot ReadSnapshot() const;

 private:
  mutable std::mutex lock_;
  KmSlotSnapshot snapshot_;
};

// "SwKbSetting.txt" line 2, trimmed at both ends: "1" gives mode 1, anything else 0.
int32_t SwitchModeFromText(const std::wstring& trimmed);

// The lines of "KmCompList.txt" after the header: "index,octet3,octet4,clipSync,32 hex digits" per
// enabled slot, slot 0 first.
std::vector<std::wstring> KmCompListLines(const KmSettingsRecord& record);
// Fills the slots from such lines; later lines of the same index overwrite earlier ones. Lines that
// are empty, that do not split into exactly five fields, whose index is not 0 or 1, or whose key
// field has fewer than 32 characters are skipped.
void ApplyKmCompListLines(const std::vector<std::wstring>& lines, KmSettingsRecord* record);

// The files of the program folder. LoadKmSettings sets every field to 0 first and does not take the
// holder's lock. The savers are false when the file could not be written.
void LoadKmSettings(const std::wstring& folder, KmSettingsRecord* record);
bool SaveKmCompList(const std::wstring& folder, const KmSettingsRecord& record);
bool SaveSwitchMode(const std::wstring& folder, int32_t switch_mode);
