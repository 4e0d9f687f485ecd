#include "service/event_source.h"

#include <algorithm>
#include <cwchar>

#include "service/service_system_calls.h"

namespace {

const wchar_t kEventLogKey[] = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\";

std::wstring LogKeyPath(const wchar_t* log) { return std::wstring(kEventLogKey) + log; }

LSTATUS SetText(HKEY key, const wchar_t* name, const wchar_t* text) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t)));
}

LSTATUS SetNumber(HKEY key, const wchar_t* name, DWORD number) {
  return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

}  // namespace

ServiceEventSource::ServiceEventSource() { InitializeCriticalSection(&lock_); }

ServiceEventSource::~ServiceEventSource() {
  Deregister();
  DeleteCriticalSection(&lock_);
}

bool ServiceEventSource::Register(const wchar_t* server, const wchar_t* source) {
  Deregister();
  handle_ = RegisterEventSourceW(server && *server ? server : nullptr, source);
  return handle_ != nullptr;
}

void ServiceEventSource::Deregister() {
  if (handle_) DeregisterEventSource(handle_);
  handle_ = nullptr;
}

BOOL ServiceEventSource::Report(WORD type, WORD category, DWORD id, PSID userSid, WORD textCount, DWORD dataSize,
                                const wchar_t** texts, void* data) {
  EnterCriticalSection(&lock_);
  Register(server_.c_str(), source_.c_str());
  BOOL reported = g_ServiceSystemCalls.reportEvent(handle_, type, category, id, userSid, textCount, dataSize,
                                                   texts, data);
  Deregister();
  LeaveCriticalSection(&lock_);
  return reported;
}

BOOL ServiceEventSource::ReportText(WORD type, DWORD id, const wchar_t* text) {
  const wchar_t* texts[] = {text};
  return Report(type, 0, id, nullptr, text ? 1 : 0, 0, text ? texts : nullptr, nullptr);
}

BOOL ServiceEventSource::ReportTwoTexts(WORD type, DWORD id, const wchar_t* text1, const wchar_t* text2) {
  const wchar_t* texts[] = {text1, text2};
  return Report(type, 0, id, nullptr, 2, 0, texts, nullptr);
}

BOOL ServiceEventSource::ReportNumber(WORD type, DWORD id, DWORD number, bool hex) {
  wchar_t text[16];
  std::swprintf(text, 16, hex ? L"%08X" : L"%u", number);
  return ReportText(type, id, text);
}

BOOL ServiceEventSource::ReportTextAndNumber(WORD type, DWORD id, const wchar_t* text, DWORD number, bool hex) {
  wchar_t numberText[16];
  std::swprintf(numberText, 16, hex ? L"%08X" : L"%u", number);
  return ReportTwoTexts(type, id, text, numberText);
}

LSTATUS WriteRegistryTextList(HKEY key, const wchar_t* name, const std::vector<std::wstring>& list) {
  std::vector<wchar_t> value;
  for (const auto& text : list) {
    value.insert(value.end(), text.begin(), text.end());
    value.push_back(L'\0');
  }
  value.push_back(L'\0');
  return RegSetValueExW(key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(value.data()),
                        static_cast<DWORD>(value.size() * sizeof(wchar_t)));
}

LSTATUS ReadRegistryTextList(HKEY key, const wchar_t* name, std::vector<std::wstring>& list) {
  list.clear();
  DWORD type = 0, size = 0;
  LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
  if (status != ERROR_SUCCESS) return status;
  if (type != REG_MULTI_SZ || size < 2 || size % 2 != 0) return ERROR_INVALID_DATA;
  std::vector<wchar_t> value;
  try {
    value.resize(size / 2);
  } catch (const std::bad_alloc&) {
    return ERROR_OUTOFMEMORY;
  }
  status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size);
  if (status != ERROR_SUCCESS) return status;
  // The value may have changed between the two reads.
  if (type != REG_MULTI_SZ || size < 2 || size % 2 != 0 || size / 2 > value.size()) return ERROR_INVALID_DATA;
  const size_t units = size / 2;
  if (value[units - 1] != L'\0' || (units >= 2 && value[units - 2] != L'\0')) return ERROR_INVALID_DATA;
  for (size_t at = 0; at < units && value[at] != L'\0';) {
    std::wstring text(&value[at]);
    at += text.size() + 1;
    list.push_back(std::move(text));
  }
  return ERROR_SUCCESS;
}

bool InstallEventSourceKey(const wchar_t* log, const wchar_t* source, const wchar_t* messageFile,
                           const wchar_t* categoryMessageFile, const wchar_t* parameterMessageFile,
                           DWORD typesSupported, DWORD categoryCount) {
  HKEY logKey = nullptr;
  LSTATUS status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, LogKeyPath(log).c_str(), 0, KEY_READ | KEY_WRITE, &logKey);
  if (status != ERROR_SUCCESS) {
    SetLastError(status);
    return false;
  }
  HKEY sourceKey = nullptr;
  status = RegCreateKeyExW(logKey, source, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &sourceKey, nullptr);
  if (status != ERROR_SUCCESS) {
    RegCloseKey(logKey);
    SetLastError(status);
    return false;
  }
  status = SetText(sourceKey, L"EventMessageFile", messageFile);
  if (status == ERROR_SUCCESS) status = SetNumber(sourceKey, L"TypesSupported", typesSupported);
  if (status == ERROR_SUCCESS && categoryCount) status = SetNumber(sourceKey, L"CategoryCount", categoryCount);
  if (status == ERROR_SUCCESS && categoryMessageFile && *categoryMessageFile)
    status = SetText(sourceKey, L"CategoryMessageFile", categoryMessageFile);
  if (status == ERROR_SUCCESS && parameterMessageFile && *parameterMessageFile)
    status = SetText(sourceKey, L"ParameterMessageFile", parameterMessageFile);
  const bool written = status == ERROR_SUCCESS;
  if (written) {
    std::vector<std::wstring> sources;
    const LSTATUS read = ReadRegistryTextList(logKey, L"Sources", sources);
    // A log key that has no list yet (a fresh system) gets one holding this source.
    if (read == ERROR_SUCCESS || read == ERROR_FILE_NOT_FOUND) {
      if (std::find(sources.begin(), sources.end(), std::wstring(source)) == sources.end()) {
        sources.emplace_back(source);
        WriteRegistryTextList(logKey, L"Sources", sources);
      }
    }
  } else {
    SetLastError(status);
  }
  RegCloseKey(sourceKey);
  RegCloseKey(logKey);
  return written;
}

bool RemoveEventSourceKey(const wchar_t* log, const wchar_t* source) {
  const std::wstring sourcePath = LogKeyPath(log) + L"\\" + source;
  LSTATUS status = RegDeleteKeyW(HKEY_LOCAL_MACHINE, sourcePath.c_str());
  if (status != ERROR_SUCCESS) {
    SetLastError(status);
    return false;
  }
  HKEY logKey = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, LogKeyPath(log).c_str(), 0, KEY_READ | KEY_WRITE, &logKey) == ERROR_SUCCESS) {
    std::vector<std::wstring> sources;
    if (ReadRegistryTextList(logKey, L"Sources", sources) == ERROR_SUCCESS) {
      auto found = std::find(sources.begin(), sources.end(), std::wstring(source));
      if (found != sources.end()) {
        sources.erase(found);
        WriteRegistryTextList(logKey, L"Sources", sources);
      }
    }
    RegCloseKey(logKey);
  }
  return true;
}
