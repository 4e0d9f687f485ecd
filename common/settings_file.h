// The common settings-file format: a file in the program folder whose line 1 is "QVX_VER=1" and
// whose further lines hold one value or one comma-separated record each.
#pragma once
#include <string>
#include <vector>

// The header line every settings file written by the system begins with.
inline constexpr wchar_t kSettingsHeader[] = L"QVX_VER=1";

// folder + "\" + name.
std::wstring SettingsFilePath(const std::wstring& folder, const wchar_t* name);

// The reading habit of one-value files: line 1, then line 2, into the same value. A missing file or
// a line that is not there leaves the value as it was, so a system-written file yields its line 2.
void ReadSettingValue(const std::wstring& path, std::wstring& value);

// The lines after line 1 until the end (the last, empty line after a final line end is dropped).
// False when the file did not open.
bool ReadSettingLines(const std::wstring& path, std::vector<std::wstring>& lines);

// Writes "QVX_VER=1" and each value, every line ended by CR LF. False when the file could not be
// created (another program holds it open for reading, or the folder is not writable).
bool WriteSettingsFile(const std::wstring& path, const std::vector<std::wstring>& values);

// Trims white space (space, tab, CR, LF) from both ends, as callers that compare words do.
std::wstring TrimWhiteSpace(const std::wstring& text);
