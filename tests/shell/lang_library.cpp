#include "tests/shell/lang_library.h"

#include "framework/app.h"
#include "shell/lang_text.h"

const LangLibrary kLangLibraries[2] = {
    {L"Vesmoreng.dll", 0, "eng"},
    {L"Vesmorcht.dll", 1, "cht"},
};

std::wstring BuiltProgramFolder() {
  std::wstring path = L"Z:";
  for (const char* c = CORVANE_BINARY_DIR "/Corvane"; *c; ++c) path += (*c == '/') ? L'\\' : static_cast<wchar_t>(*c);
  return path;
}

HMODULE UseLangLibrary(const LangLibrary& library) {
  HMODULE module = ::LoadLibraryW((BuiltProgramFolder() + L"\\" + library.file).c_str());
  if (!module) return nullptr;
  AfxSetResourceHandle(module);
  g_LangIndex = library.langIndex;
  return module;
}

void UseBuiltInTemplates() {
  AfxSetResourceHandle(nullptr);
  g_LangIndex = 0;
}
