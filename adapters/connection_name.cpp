#include "adapters/connection_name.h"

#include <windows.h>
#include <setupapi.h>

#include <cwchar>

#include "adapters/adapter_system_calls.h"

std::wstring FormatSetupClassGuid(const wchar_t* className) {
  GUID guid{};
  DWORD found = 0;
  if (!::SetupDiClassGuidsFromNameW(className, &guid, 1, &found) || found == 0) return {};
  wchar_t text[kNetClassGuidUnits];
  std::swprintf(text, kNetClassGuidUnits, L"{%02X-%02X-%02X-%02X%02X-%02X%02X%02X%02X%02X%X}",
                static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return text;
}

void FormatNetClassGuid(wchar_t text[kNetClassGuidUnits]) {
  const std::wstring formatted = FormatSetupClassGuid(L"Net");
  std::wcsncpy(text, formatted.c_str(), kNetClassGuidUnits - 1);
  text[kNetClassGuidUnits - 1] = 0;
}

std::wstring ConnectionKeyPath(const wchar_t* adapterGuid) {
  wchar_t netClass[kNetClassGuidUnits] = {};
  FormatNetClassGuid(netClass);
  return std::wstring(L"SYSTEM\\CurrentControlSet\\Control\\Network\\") + netClass + L"\\" + adapterGuid +
         L"\\Connection";
}

bool GetConnectionName(wchar_t name[kConnectionNameUnits], const wchar_t* adapterGuid) {
  const std::wstring path = ConnectionKeyPath(adapterGuid);
  for (int attempt = 0; attempt < 40; ++attempt) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
      // One unit is kept back so that a value stored without its terminator still ends.
      DWORD bytes = (kConnectionNameUnits - 1) * sizeof(wchar_t);
      DWORD type = 0;
      const LONG read =
          ::RegQueryValueExW(key, L"Name", nullptr, &type, reinterpret_cast<BYTE*>(name), &bytes);
      ::RegCloseKey(key);
      if (read != ERROR_SUCCESS) return false;
      name[bytes / sizeof(wchar_t)] = 0;
      return true;
    }
    g_AdapterSystemCalls.sleep(500);
  }
  return false;
}
