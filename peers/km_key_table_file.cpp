// The key table's file in the program folder, through the common settings-file store.
#include "common/settings_file.h"
#include "peers/km_key_table.h"

void KmKeyTable::Load(const std::wstring& folder) {
  std::vector<std::wstring> lines;
  if (!ReadSettingLines(SettingsFilePath(folder, kFileName), lines)) {
    Clear();
    return;
  }
  // Line 2 is the subnet, read over line 1 as every one-value reader does; trimmed at both ends.
  // A file without line 2 leaves the header as the text, which reads as 0.
  if (lines.empty()) lines.push_back(L"");
  lines[0] = TrimWhiteSpace(lines[0]);
  FromLines(lines);
}

bool KmKeyTable::Save(const std::wstring& folder) const {
  return WriteSettingsFile(SettingsFilePath(folder, kFileName), ToLines());
}

void KmKeyTable::LoadAtStartup(const std::wstring& folder, const uint8_t private_address[4],
                               const uint8_t adapter_address[4]) {
  Load(folder);
  SetSubnet(StartupKeyTableSubnet(private_address, adapter_address));
  TakeSnapshot();
}
