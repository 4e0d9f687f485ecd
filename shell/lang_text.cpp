// Lookup in the text table; misses are built in a buffer of the calling thread, so that threads
// missing at the same time never see each other's text.
#include "shell/lang_text.h"

#include <cstring>

int32_t g_LangIndex = 0;

namespace {

constexpr int kMissTextSize = 160;  // wide characters, the terminator included

const LangTextEntry* FindZoneEntries(int32_t zone) {
  for (const LangTextZone* row = LangTextTable; row->zone != -1; ++row) {
    if (row->zone == zone) return row->entries;
  }
  return nullptr;
}

const wchar_t* MissText(const wchar_t* prefix, const char* key) {
  thread_local wchar_t text[kMissTextSize];
  int length = 0;
  for (const wchar_t* p = prefix; *p != L'\0' && length < kMissTextSize - 1; ++p) text[length++] = *p;
  // A key too long for the buffer is cut.
  for (const char* p = key; *p != '\0' && length < kMissTextSize - 1; ++p) {
    text[length++] = static_cast<wchar_t>(static_cast<unsigned char>(*p));
  }
  text[length] = L'\0';
  return text;
}

}  // namespace

const wchar_t* LoadLangText(int32_t zone, const char* key) {
  if (key == nullptr) key = "";
  const LangTextEntry* entry = FindZoneEntries(zone);
  if (entry == nullptr) return MissText(L"Zone Not Defined, ", key);
  for (; entry->key != nullptr; ++entry) {
    if (std::strcmp(entry->key, key) == 0) return g_LangIndex == 1 ? entry->chinese : entry->english;
  }
  return MissText(L"Name Not Defined, ", key);
}
