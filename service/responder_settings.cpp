#include "service/responder_settings.h"

#include <windows.h>

#include "common/decimal_text.h"
#include "common/settings_file.h"
#include "common/text_file.h"
#include "common/text_helpers.h"

namespace {

constexpr size_t kAdapterGuidChars = 63;
constexpr size_t kAdapterNameChars = 127;
constexpr size_t kMacTextChars = 25;

}  // namespace

void TruncatePathAtBackslash(wchar_t* path, int count) {
  int found = 0;
  for (int at = lstrlenW(path) - 1; at > 0; --at) {
    if (path[at] != L'\\') continue;
    if (++found == count) {
      path[at] = L'\0';
      return;
    }
  }
}

std::wstring ServiceSettingsFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  TruncatePathAtBackslash(path, 3);
  return path;
}

bool ParseDottedAddress(const std::wstring& text, uint8_t address[4]) {
  int count = 0;
  auto parts = SplitString(text, L'.', &count);
  if (count != 4 || !parts) return false;
  for (int i = 0; i < 4; ++i) address[i] = static_cast<uint8_t>(ReadUnsignedDecimal(parts[i]));
  return true;
}

void ReadPortSettings(const std::wstring& path, uint32_t* scanPort, uint32_t* kmPort) {
  CTextFileRead file(path);
  if (!file.IsOpen()) return;
  std::wstring line;
  file.ReadLine(line);
  if (line.empty()) return;
  int count = 0;
  auto parts = SplitString(line, L',', &count);
  if (count != 2 || !parts) return;
  *scanPort = ReadUnsignedDecimal(parts[0]);
  *kmPort = ReadUnsignedDecimal(parts[1]);
}

void ReadPrivateIp(const std::wstring& path, uint8_t address[4]) {
  std::wstring value;
  ReadSettingValue(path, value);
  if (!value.empty()) ParseDottedAddress(value, address);
}

void ReadPhysicalAdapter(const std::wstring& path, std::wstring* guid, std::wstring* name) {
  CTextFileRead file(path);
  if (!file.IsOpen()) return;
  // The reading habit: a read past the end leaves the text read before it.
  std::wstring line;
  file.ReadLine(line);
  file.ReadLine(line);
  if (!line.empty()) *guid = line.substr(0, kAdapterGuidChars);
  file.ReadLine(line);
  if (!line.empty()) *name = line.substr(0, kAdapterNameChars);
}

std::wstring ReadMacText(const std::wstring& path) {
  std::wstring value;
  ReadSettingValue(path, value);
  if (value.empty()) return L"000000000000";
  return value.substr(0, kMacTextChars);
}

bool ReadResponsesEnabled(const std::wstring& path) {
  std::wstring value;
  ReadSettingValue(path, value);
  return TrimWhiteSpace(value) == L"ENABLED";
}

ResponderSettings LoadResponderSettings(const std::wstring& folder) {
  ResponderSettings settings;
  ReadPortSettings(SettingsFilePath(folder, L"PortNumDef.txt"), &settings.scanPort, &settings.kmPort);
  ReadPrivateIp(SettingsFilePath(folder, L"PrivateIp.txt"), settings.privateIp);
  ReadPhysicalAdapter(SettingsFilePath(folder, L"DrvInstPhyNic.txt"), &settings.adapterGuid, &settings.adapterName);
  return settings;
}
