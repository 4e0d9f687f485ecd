// The interactive program's folder, where its settings files and the downloaded update files live:
// its current directory.
#pragma once
#include <string>

// The current directory without a trailing backslash (so "C:" at a root); empty when it cannot
// be read.
std::wstring SettingsFolder();
