// Which language the program starts in: "LangType.txt" when it exists, else the user's locale;
// and the loading of the matching language library as the resource handle.
#pragma once
#include <windows.h>

#include <string>

struct LanguageChoice {
  int index;             // 0 English, 1 Chinese (g_LangIndex)
  const wchar_t* suffix; // of the language library "Vesmor<suffix>": "eng" or "cht"
};

// The saved value decides when the file exists: exactly "ENG" (trimmed) is English, anything else,
// an empty file too, Chinese. Without the file the Chinese locales (1028, 2052, 3076, 4100) are
// Chinese and every other locale English.
LanguageChoice ChooseLanguage(const std::wstring& folder, LCID userLocale);

// Loads "Vesmor<suffix>" by the system's library search and makes it the resource handle; false
// (the program's own templates stay) when it does not load.
bool LoadResourceDll(const wchar_t* suffix);
