#include "peers/scan_response_setting.h"

#include <windows.h>

#include "common/settings_file.h"

ScanResponseSetting ReadScanResponseSetting(const std::wstring& folder) {
  const std::wstring path = SettingsFilePath(folder, kEchowardSettingFile);
  if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return ScanResponseSetting::kMissing;
  std::wstring value;
  ReadSettingValue(path, value);
  return TrimWhiteSpace(value) == L"ENABLED" ? ScanResponseSetting::kEnabled : ScanResponseSetting::kDisabled;
}

void SignalScanResponse(bool on) {
  HANDLE event = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, on ? kScanReplyOnEvent : kScanReplyOffEvent);
  if (!event) return;
  ::SetEvent(event);
  ::CloseHandle(event);
}

void ApplyScanResponseChoice(const std::wstring& folder, bool on) {
  SignalScanResponse(on);
  WriteSettingsFile(SettingsFilePath(folder, kEchowardSettingFile), {on ? L"ENABLED" : L"DISABLED"});
}
