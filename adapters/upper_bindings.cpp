#include "adapters/upper_bindings.h"

#include <vector>

#include "adapters/adapter_records.h"
#include "adapters/miniport_values.h"

namespace {

bool CreateAndClose(HKEY parent, const wchar_t* name) {
  HKEY created = nullptr;
  if (::RegCreateKeyExW(parent, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr) != ERROR_SUCCESS)
    return false;
  ::RegCloseKey(created);
  return true;
}

HKEY OpenFull(const std::wstring& path) {
  HKEY key = nullptr;
  return ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS ? key : nullptr;
}

}  // namespace

bool WriteUpperBindings(const std::wstring& physicalGuid, int count, const wchar_t (*virtualGuids)[64],
                        HKEY serviceKey) {
  CreateAndClose(serviceKey, L"Parameters");
  ::RegCloseKey(serviceKey);
  HKEY parameters = OpenFull(std::wstring(kProtocolServiceKey) + L"\\Parameters");
  if (!parameters) return false;
  CreateAndClose(parameters, L"Adapters");
  ::RegCloseKey(parameters);
  HKEY adapters = OpenFull(kProtocolAdaptersKey);
  if (!adapters) return false;
  CreateAndClose(adapters, physicalGuid.c_str());
  ::RegCloseKey(adapters);
  HKEY physical = OpenFull(std::wstring(kProtocolAdaptersKey) + L"\\" + physicalGuid);
  if (!physical) return false;

  std::vector<std::wstring> guids;
  for (int i = 0; i < count; ++i) guids.emplace_back(virtualGuids[i]);
  const std::vector<char16_t> list = BuildUpperBindings(guids);
  const LONG set = ::RegSetValueExW(physical, L"UpperBindings", 0, REG_MULTI_SZ,
                                    reinterpret_cast<const BYTE*>(list.data()),
                                    static_cast<DWORD>(list.size() * sizeof(char16_t)));
  ::RegCloseKey(physical);
  return set == ERROR_SUCCESS;
}

bool ReadUpperBindings(wchar_t physicalGuid[64], wchar_t (*entries)[64], int* count) {
  *count = 0;
  physicalGuid[0] = 0;
  for (size_t i = 0; i < kMaxUpperBindingEntries; ++i) entries[i][0] = 0;
  HKEY adapters = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProtocolAdaptersKey, 0, KEY_READ, &adapters) != ERROR_SUCCESS) return false;
  DWORD nameUnits = 64;
  if (::RegEnumKeyExW(adapters, 0, physicalGuid, &nameUnits, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
    HKEY physical = nullptr;
    if (::RegOpenKeyExW(adapters, physicalGuid, 0, KEY_READ, &physical) == ERROR_SUCCESS) {
      char16_t data[320] = {};
      DWORD bytes = sizeof data;
      if (::RegQueryValueExW(physical, L"UpperBindings", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &bytes) ==
          ERROR_SUCCESS) {
        const auto found = ParseUpperBindings(data, bytes / sizeof(char16_t));
        for (const auto& entry : found) CopyField(entries[(*count)++], 64, entry);
      }
      ::RegCloseKey(physical);
    }
  } else {
    physicalGuid[0] = 0;
  }
  ::RegCloseKey(adapters);
  return true;
}
