// What the downloaded "upgrade.txt" says: line 2 "<label>:<newest version>", line 3
// "<label>:<download location without scheme>". Of each line only the text between its first and
// its second colon counts, so a port or a scheme in the location is cut off there.
#pragma once
#include <string>

struct UpgradeInfo {
  bool hasVersion = false;        // line 2 has a colon (the version text may still be empty)
  std::wstring version;           // the newest version text, exactly as written
  std::wstring downloadLocation;  // empty when line 3 is missing or has no colon
};

// Reads the file at path the way every settings file is read: line 1, then line 2 over it (so a
// file of one line without a line end is its own line 2), then line 3.
UpgradeInfo ReadUpgradeInfo(const std::wstring& path);
