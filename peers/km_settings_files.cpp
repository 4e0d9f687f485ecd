// The Swivo settings files in the program folder, through the common settings-file store.
#include "common/settings_file.h"
#include "peers/km_settings.h"

void LoadKmSettings(const std::wstring& folder, KmSettingsRecord* record) {
  *record = KmSettingsRecord();
  std::wstring mode;
  ReadSettingValue(SettingsFilePath(folder, kSwKbSettingFile), mode);
  record->switchMode = SwitchModeFromText(TrimWhiteSpace(mode));
  std::vector<std::wstring> lines;
  if (ReadSettingLines(SettingsFilePath(folder, kKmCompListFile), lines)) ApplyKmCompListLines(lines, record);
}

bool SaveKmCompList(const std::wstring& folder, const KmSettingsRecord& record) {
  return WriteSettingsFile(SettingsFilePath(folder, kKmCompListFile), KmCompListLines(record));
}

bool SaveSwitchMode(const std::wstring& folder, int32_t switch_mode) {
  return WriteSettingsFile(SettingsFilePath(folder, kSwKbSettingFile), {std::to_wstring(switch_mode)});
}
