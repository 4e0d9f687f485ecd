#include "shell/command_words.h"

#include <algorithm>

StartWord FindStartWord(const std::wstring& commandLine, const std::wstring& modulePath) {
  std::wstring rest = commandLine;
  if (!modulePath.empty()) {
    size_t at = rest.find(modulePath);
    if (at != std::wstring::npos) rest.erase(at, modulePath.size());
  }
  rest.erase(std::remove(rest.begin(), rest.end(), L'"'), rest.end());
  if (rest.find(L"QUITAPP") != std::wstring::npos) return StartWord::kQuitApp;
  if (rest.find(L"RESTART") != std::wstring::npos) return StartWord::kRestart;
  return StartWord::kNone;
}
