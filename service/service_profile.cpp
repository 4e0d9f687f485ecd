// Profile values: settings a service keeps below its own key,
// HKLM\SYSTEM\CurrentControlSet\Services\<name>\Parameters\<section>, one value per key name.
#include <cstring>
#include <cwchar>

#include "service/event_source.h"
#include "service/nt_service.h"

namespace {

using DeleteKeyExFunction = LSTATUS(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);

DeleteKeyExFunction RegDeleteKeyExFunction() {
  static DeleteKeyExFunction function = [] {
    HMODULE advapi = GetModuleHandleW(L"Advapi32.dll");
    return advapi ? reinterpret_cast<DeleteKeyExFunction>(reinterpret_cast<void*>(GetProcAddress(advapi, "RegDeleteKeyExW"))) : nullptr;
  }();
  return function;
}

// The "Parameters" key of the service, created when missing; the section's subkey when one is named.
class ProfileKey {
 public:
  ProfileKey(const std::wstring& serviceName, const wchar_t* section, bool write, bool openSection = true) {
    const REGSAM access = write ? KEY_READ | KEY_WRITE : KEY_READ;
    HKEY services = nullptr;
    status_ = RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Services", 0, access, &services);
    if (status_ != ERROR_SUCCESS) return;
    const std::wstring parametersPath = serviceName + L"\\Parameters";
    status_ = RegCreateKeyExW(services, parametersPath.c_str(), 0, nullptr, 0, access, nullptr, &parameters_, nullptr);
    RegCloseKey(services);
    if (status_ != ERROR_SUCCESS || !openSection) return;
    status_ = RegCreateKeyExW(parameters_, section ? section : L"", 0, nullptr, 0, access, nullptr, &section_, nullptr);
  }
  ~ProfileKey() {
    if (section_) RegCloseKey(section_);
    if (parameters_) RegCloseKey(parameters_);
  }
  ProfileKey(const ProfileKey&) = delete;
  ProfileKey& operator=(const ProfileKey&) = delete;

  bool Opened() const { return status_ == ERROR_SUCCESS; }
  LSTATUS Status() const { return status_; }
  HKEY Section() const { return section_; }
  HKEY Parameters() const { return parameters_; }

 private:
  HKEY parameters_ = nullptr;
  HKEY section_ = nullptr;
  LSTATUS status_ = ERROR_SUCCESS;
};

bool Finish(LSTATUS status, HKEY key, DWORD flush) {
  if (status == ERROR_SUCCESS && flush) RegFlushKey(key);
  if (status != ERROR_SUCCESS) SetLastError(status);
  return status == ERROR_SUCCESS;
}

void SetError(DWORD* error, LSTATUS status) {
  if (error) *error = status;
  SetLastError(status);
}

// The raw value with its type; ERROR_INVALID_DATA when it has another type than `type`.
LSTATUS ReadRaw(HKEY key, const wchar_t* name, DWORD type, std::vector<BYTE>& data) {
  DWORD actual = 0, size = 0;
  LSTATUS status = RegQueryValueExW(key, name, nullptr, &actual, nullptr, &size);
  if (status != ERROR_SUCCESS) return status;
  if (actual != type && !(type == REG_SZ && actual == REG_EXPAND_SZ)) return ERROR_INVALID_DATA;
  try {
    data.resize(size);
  } catch (const std::bad_alloc&) {
    return ERROR_OUTOFMEMORY;
  }
  status = RegQueryValueExW(key, name, nullptr, &actual, data.data(), &size);
  data.resize(size);
  return status;
}

// The section's value of that type, read through a key opened for reading.
LSTATUS ReadProfileValue(const std::wstring& serviceName, const wchar_t* section, const wchar_t* key, DWORD type,
                         std::vector<BYTE>& data) {
  ProfileKey profile(serviceName, section, false);
  return profile.Opened() ? ReadRaw(profile.Section(), key, type, data) : profile.Status();
}

}  // namespace

bool CNTService::SetProfileText(const wchar_t* section, const wchar_t* key, const wchar_t* text) {
  if (!key) {
    ProfileKey profile(serviceName_, section, true, false);
    if (!profile.Opened()) return Finish(profile.Status(), nullptr, 0);
    LSTATUS status = RegDeleteKeyExFunction()
                         ? RegDeleteKeyExFunction()(profile.Parameters(), section, 0, 0)
                         : RegDeleteKeyW(profile.Parameters(), section);
    return Finish(status, profile.Parameters(), flushProfileWrites_);
  }
  ProfileKey profile(serviceName_, section, true);
  if (!profile.Opened()) return Finish(profile.Status(), nullptr, 0);
  LSTATUS status = text ? RegSetValueExW(profile.Section(), key, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                         static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t)))
                        : RegDeleteValueW(profile.Section(), key);
  return Finish(status, profile.Section(), flushProfileWrites_);
}

bool CNTService::SetProfileNumber(const wchar_t* section, const wchar_t* key, DWORD number) {
  ProfileKey profile(serviceName_, section, true);
  if (!profile.Opened()) return Finish(profile.Status(), nullptr, 0);
  return Finish(RegSetValueExW(profile.Section(), key, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                               sizeof number),
                profile.Section(), flushProfileWrites_);
}

bool CNTService::SetProfileTextList(const wchar_t* section, const wchar_t* key, const std::vector<std::wstring>& list) {
  ProfileKey profile(serviceName_, section, true);
  if (!profile.Opened()) return Finish(profile.Status(), nullptr, 0);
  return Finish(WriteRegistryTextList(profile.Section(), key, list), profile.Section(), flushProfileWrites_);
}

bool CNTService::SetProfileBytes(const wchar_t* section, const wchar_t* key, const BYTE* data, DWORD size) {
  ProfileKey profile(serviceName_, section, true);
  if (!profile.Opened()) return Finish(profile.Status(), nullptr, 0);
  return Finish(RegSetValueExW(profile.Section(), key, 0, REG_BINARY, data, size), profile.Section(),
                flushProfileWrites_);
}

std::wstring CNTService::GetProfileText(const wchar_t* section, const wchar_t* key, const wchar_t* defaultText,
                                        DWORD* error) {
  std::vector<BYTE> data;
  LSTATUS status = ReadProfileValue(serviceName_, section, key, REG_SZ, data);
  // Only a text that ends with its NUL.
  if (status == ERROR_SUCCESS &&
      (data.size() < 2 || data.size() % 2 || data[data.size() - 1] != 0 || data[data.size() - 2] != 0)) {
    status = ERROR_INVALID_DATA;
  }
  if (status != ERROR_SUCCESS) {
    SetError(error, status);
    return defaultText ? defaultText : L"";
  }
  return std::wstring(reinterpret_cast<const wchar_t*>(data.data()));
}

DWORD CNTService::GetProfileNumber(const wchar_t* section, const wchar_t* key, DWORD defaultNumber, DWORD* error) {
  std::vector<BYTE> data;
  LSTATUS status = ReadProfileValue(serviceName_, section, key, REG_DWORD, data);
  if (status == ERROR_SUCCESS && data.size() != sizeof(DWORD)) status = ERROR_INVALID_DATA;
  if (status != ERROR_SUCCESS) {
    SetError(error, status);
    return defaultNumber;
  }
  DWORD number = 0;
  std::memcpy(&number, data.data(), sizeof number);
  return number;
}

bool CNTService::GetProfileTextList(const wchar_t* section, const wchar_t* key, std::vector<std::wstring>& list,
                                    DWORD* error) {
  ProfileKey profile(serviceName_, section, false);
  LSTATUS status = profile.Opened() ? ReadRegistryTextList(profile.Section(), key, list) : profile.Status();
  if (status != ERROR_SUCCESS) SetError(error, status);
  return status == ERROR_SUCCESS;
}

bool CNTService::GetProfileBytes(const wchar_t* section, const wchar_t* key, std::vector<BYTE>& data, DWORD* error) {
  LSTATUS status = ReadProfileValue(serviceName_, section, key, REG_BINARY, data);
  if (status != ERROR_SUCCESS) SetError(error, status);
  return status == ERROR_SUCCESS;
}
