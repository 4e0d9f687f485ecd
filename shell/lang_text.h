// The program's texts: one built-in table of English and Traditional Chinese texts, looked up by
// zone (the area of the program that asks) and key.
#pragma once
#include <cstdint>

struct LangTextEntry {
  const char* key;         // upper-case ASCII; nullptr ends a zone's entries
  const wchar_t* english;
  const wchar_t* chinese;  // Traditional Chinese
};

struct LangTextZone {
  int32_t zone;                   // -1 ends the table
  const LangTextEntry* entries;
};

// Zones 0 to 11 in order, ended by the row of zone -1.
extern const LangTextZone LangTextTable[];

// 1 selects the Chinese texts, any other value the English ones. Set once at start-up.
extern int32_t g_LangIndex;

// The text of the current language. A zone the table lacks gives "Zone Not Defined, <key>", a key
// the zone lacks "Name Not Defined, <key>". A found text lives for the whole run; a miss text lives
// in a buffer of the calling thread and stays valid until that thread's next miss.
const wchar_t* LoadLangText(int32_t zone, const char* key);
