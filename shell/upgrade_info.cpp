#include "shell/upgrade_info.h"

#include "common/text_file.h"
#include "common/text_helpers.h"

namespace {
// The text between the first and the second colon; false for a line without a colon.
bool SecondPiece(const std::wstring& line, std::wstring& piece) {
  if (line.empty()) return false;
  int count = 0;
  std::unique_ptr<std::wstring[]> pieces = SplitString(line, L':', &count);
  if (count < 2) return false;
  piece = pieces[1];
  return true;
}
}  // namespace

UpgradeInfo ReadUpgradeInfo(const std::wstring& path) {
  UpgradeInfo info;
  CTextFileRead file(path);
  std::wstring versionLine;
  file.ReadLine(versionLine);
  file.ReadLine(versionLine);
  info.hasVersion = SecondPiece(versionLine, info.version);
  // Line 3 into a string of its own: a file that ends after line 2 must leave no location, not
  // the version line's piece.
  std::wstring locationLine;
  file.ReadLine(locationLine);
  SecondPiece(locationLine, info.downloadLocation);
  return info;
}
