// The language libraries as the tests use them: loaded from the program folder of the build, one
// at a time, as the framework's resource handle together with the matching text language.
#pragma once
#include <windows.h>
#include <string>

struct LangLibrary {
  const wchar_t* file;  // in the program folder
  int langIndex;        // g_LangIndex of its texts
  const char* tag;      // for screenshot names: "eng", "cht"
};

extern const LangLibrary kLangLibraries[2];

// Loads the library and makes it the resource handle, sets the text language; null on failure.
HMODULE UseLangLibrary(const LangLibrary& library);
// The program's own templates, English texts.
void UseBuiltInTemplates();
std::wstring BuiltProgramFolder();
