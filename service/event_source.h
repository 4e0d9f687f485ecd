// The service's event-log source: reports under the service's display name in the Application
// log, and the registry entries that register and remove the source.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class ServiceEventSource {
 public:
  ServiceEventSource();
  ~ServiceEventSource();
  ServiceEventSource(const ServiceEventSource&) = delete;
  ServiceEventSource& operator=(const ServiceEventSource&) = delete;

  bool Register(const wchar_t* server, const wchar_t* source);
  void Deregister();
  // Registers, reports and deregisters under the lock, so that registry changes take effect at once.
  BOOL Report(WORD type, WORD category, DWORD id, PSID userSid, WORD textCount, DWORD dataSize,
              const wchar_t** texts, void* data);
  BOOL ReportText(WORD type, DWORD id, const wchar_t* text);
  BOOL ReportTwoTexts(WORD type, DWORD id, const wchar_t* text1, const wchar_t* text2);
  BOOL ReportNumber(WORD type, DWORD id, DWORD number, bool hex);
  BOOL ReportTextAndNumber(WORD type, DWORD id, const wchar_t* text, DWORD number, bool hex);

  void SetSourceName(const std::wstring& source) { source_ = source; }
  const std::wstring& SourceName() const { return source_; }
  const std::wstring& LogName() const { return log_; }

 private:
  HANDLE handle_ = nullptr;
  std::wstring server_;
  std::wstring source_;
  std::wstring log_ = L"Application";
  CRITICAL_SECTION lock_;
};

// "SYSTEM\CurrentControlSet\Services\EventLog\<log>" and its source's subkey below HKLM.
bool InstallEventSourceKey(const wchar_t* log, const wchar_t* source, const wchar_t* messageFile,
                           const wchar_t* categoryMessageFile, const wchar_t* parameterMessageFile,
                           DWORD typesSupported, DWORD categoryCount);
bool RemoveEventSourceKey(const wchar_t* log, const wchar_t* source);

// REG_MULTI_SZ lists: each text, a NUL, and one more NUL at the end.
LSTATUS WriteRegistryTextList(HKEY key, const wchar_t* name, const std::vector<std::wstring>& list);
// Only a REG_MULTI_SZ of even size, at least two bytes, ending in NUL (and in two NULs from four
// bytes on); otherwise ERROR_INVALID_DATA. The texts up to the first empty one.
LSTATUS ReadRegistryTextList(HKEY key, const wchar_t* name, std::vector<std::wstring>& list);
