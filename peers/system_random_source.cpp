#include "peers/system_random_source.h"

#include <windows.h>
#include <bcrypt.h>

namespace {

// RtlGenRandom is exported by advapi32 as SystemFunction036 and has no import library entry.
using RtlGenRandomFunction = BOOLEAN(WINAPI*)(PVOID, ULONG);

bool FillWithRtlGenRandom(uint8_t* bytes, ULONG count) {
  static const auto generate = [] {
    HMODULE advapi = LoadLibraryExW(L"advapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return advapi ? reinterpret_cast<RtlGenRandomFunction>(reinterpret_cast<void*>(GetProcAddress(advapi, "SystemFunction036")))
                  : nullptr;
  }();
  return generate != nullptr && generate(bytes, count);
}

}  // namespace

bool SystemRandomSource::Fill(uint8_t* bytes, size_t count) {
  if (count > 0xFFFFFFFFu) return false;
  const ULONG size = static_cast<ULONG>(count);
  if (BCryptGenRandom(nullptr, bytes, size, BCRYPT_USE_SYSTEM_PREFERRED_RNG) == 0) return true;
  return FillWithRtlGenRandom(bytes, size);
}
