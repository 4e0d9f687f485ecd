#include "peers/computer_list_file.h"

#include <vector>

#include "common/decimal_text.h"
#include "common/settings_file.h"

void LoadComputerList(const std::wstring& folder, ComputerList* list) {
  list->ClearHosts();
  const std::wstring path = SettingsFilePath(folder, kWolCompListFile);
  std::vector<std::wstring> lines;
  if (!ReadSettingLines(path, lines)) return;
  std::wstring subnet;
  ReadSettingValue(path, subnet);
  list->subnet = static_cast<uint8_t>(ReadDecimal(subnet));
  if (lines.size() > 1) ApplyComputerListHostLines(std::vector<std::wstring>(lines.begin() + 1, lines.end()), list);
}

bool SaveComputerList(const std::wstring& folder, const ComputerList& list) {
  return WriteSettingsFile(SettingsFilePath(folder, kWolCompListFile), ComputerListLines(list));
}
