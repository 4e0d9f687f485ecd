#include "shell/language_choice.h"

#include "common/settings_file.h"
#include "common/text_file.h"
#include "framework/app.h"

namespace {
constexpr wchar_t kLangTypeFile[] = L"LangType.txt";
constexpr LanguageChoice kEnglish = {0, L"eng"};
constexpr LanguageChoice kChinese = {1, L"cht"};

bool IsChineseLocale(LCID locale) {
  return locale == 1028 || locale == 2052 || locale == 3076 || locale == 4100;
}
}  // namespace

LanguageChoice ChooseLanguage(const std::wstring& folder, LCID userLocale) {
  CTextFileRead file(SettingsFilePath(folder, kLangTypeFile));
  if (!file.IsOpen()) return IsChineseLocale(userLocale) ? kChinese : kEnglish;
  std::wstring value;  // line 1, then line 2 over it
  file.ReadLine(value);
  file.ReadLine(value);
  return TrimWhiteSpace(value) == L"ENG" ? kEnglish : kChinese;
}

bool LoadResourceDll(const wchar_t* suffix) {
  std::wstring name = std::wstring(L"Vesmor") + suffix;
  HMODULE library = ::LoadLibraryW(name.c_str());
  if (!library) return false;
  AfxSetResourceHandle(library);
  return true;
}
