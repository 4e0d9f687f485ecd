#include "common/settings_file.h"

#include "common/text_file.h"

std::wstring SettingsFilePath(const std::wstring& folder, const wchar_t* name) {
  return folder + L"\\" + name;
}

void ReadSettingValue(const std::wstring& path, std::wstring& value) {
  CTextFileRead file(path);
  if (!file.IsOpen()) return;
  file.ReadLine(value);
  file.ReadLine(value);
}

bool ReadSettingLines(const std::wstring& path, std::vector<std::wstring>& lines) {
  lines.clear();
  CTextFileRead file(path);
  if (!file.IsOpen()) return false;
  std::wstring line;
  if (!file.ReadLine(line)) return true;  // line 1, the header, is not checked
  while (file.ReadLine(line)) lines.push_back(line);
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return true;
}

bool WriteSettingsFile(const std::wstring& path, const std::vector<std::wstring>& values) {
  CTextFileWrite file(path);
  if (!file.IsOpen()) return false;
  file.Write(kSettingsHeader);
  file.WriteEndl();
  for (const auto& value : values) {
    file.Write(value);
    file.WriteEndl();
  }
  file.Close();
  return !file.WriteFailed();
}

std::wstring TrimWhiteSpace(const std::wstring& text) {
  const wchar_t* blanks = L" \t\r\n";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::wstring::npos) return {};
  const size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}
