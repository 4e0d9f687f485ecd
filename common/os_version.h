// The Windows version class both programs use to pick their behaviour, and its display names.
#pragma once
#include <cstdint>

// Version platforms as GetVersionEx reports them.
enum : unsigned long { kPlatformWin32s = 0, kPlatformWindows9x = 1, kPlatformWindowsNt = 2 };

// Code 9 (Windows XP and Server 2003) chooses the XP behaviour everywhere.
constexpr int kOsTypeWindowsXp = 9;

// The class of a version, from the version numbers alone.
int OsTypeCodeFromVersion(unsigned long platform, unsigned long major, unsigned long minor);

// The class of the running system; 0 when the version cannot be read.
int GetOsTypeCode();

// Copies the display name of a code into a buffer of 128 characters.
constexpr int kOsDisplayNameChars = 128;
void GetOsDisplayName(wchar_t* out, int16_t code);
