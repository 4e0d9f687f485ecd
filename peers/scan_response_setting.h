// Whether the service program answers scans: "EchowardSetting.txt" ("ENABLED" or "DISABLED") and
// the service's two named events, which tell a running service at once.
#pragma once
#include <string>

inline constexpr wchar_t kEchowardSettingFile[] = L"EchowardSetting.txt";
inline constexpr wchar_t kScanReplyOnEvent[] = L"Global\\Lanvex_1cda839a";
inline constexpr wchar_t kScanReplyOffEvent[] = L"Global\\Lanvex_1cda839b";

enum class ScanResponseSetting { kMissing, kEnabled, kDisabled };

// The file by the reading habit of the settings files, trimmed: exactly "ENABLED" is enabled,
// anything else disabled; a file that does not open is missing.
ScanResponseSetting ReadScanResponseSetting(const std::wstring& folder);
// Signals the on or off event (an event that does not exist is skipped).
void SignalScanResponse(bool on);
// Signals the event, then writes the file.
void ApplyScanResponseChoice(const std::wstring& folder, bool on);
