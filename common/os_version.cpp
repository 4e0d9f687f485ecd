#include "common/os_version.h"

#include <windows.h>

#include <cwchar>

int OsTypeCodeFromVersion(unsigned long platform, unsigned long major, unsigned long minor) {
  if (platform == kPlatformWindowsNt) {
    if (major <= 4) return 11;
    if (major == 5) return minor == 0 ? 10 : 9;
    if (major == 6) {
      switch (minor) {
        case 0: return 7;
        case 1: return 5;
        case 2: return 15;
        default: return 0;
      }
    }
    return 0;
  }
  if (platform == kPlatformWindows9x) {
    if (major > 4) return 12;
    if (major < 4) return 14;
    if (minor == 0) return 14;
    return minor <= 10 ? 13 : 12;
  }
  return 0;
}

int GetOsTypeCode() {
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) {
    info = OSVERSIONINFOEXW{};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) return 0;
  }
#pragma GCC diagnostic pop
  return OsTypeCodeFromVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

void GetOsDisplayName(wchar_t* out, int16_t code) {
  const wchar_t* name;
  switch (code) {
    case 2: name = L"Windows Server 2008 64-bit"; break;
    case 3: name = L"Windows Server 2008 32-bit"; break;
    case 4: name = L"Windows Server 2003"; break;
    case 5: name = L"Windows 7 64-bit"; break;
    case 6: name = L"Windows 7 32-bit"; break;
    case 7: name = L"Windows Vista 64-bit"; break;
    case 8: name = L"Windows Vista 32-bit"; break;
    case 9: name = L"Windows XP"; break;
    case 15: name = L"Windows 8 64-bit"; break;
    case 16: name = L"Windows 8 32-bit"; break;
    default: name = L"Unknown Winodws version"; break;
  }
  wcsncpy(out, name, kOsDisplayNameChars - 1);
  out[kOsDisplayNameChars - 1] = L'\0';
}
