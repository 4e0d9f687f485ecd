// Installation, removal and the start, pause, continue and stop requests through the service
// control manager, with the failure texts they return.
#include <cwchar>
#include <new>
#include <vector>

#include "service/command_line_info.h"
#include "service/nt_service.h"
#include "service/service_handles.h"

namespace {

std::wstring LoadResourceString(UINT id) {
  const wchar_t* text = nullptr;
  // With a length of 0 the call hands out a pointer to the resource itself.
  int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
  return length > 0 ? std::wstring(text, length) : std::wstring();
}

// The system's message formatting from a string: %1 and %2 take the arguments.
std::wstring InsertArguments(const std::wstring& format, const wchar_t* first, const wchar_t* second = L"") {
  if (format.empty()) return {};
  DWORD_PTR arguments[] = {reinterpret_cast<DWORD_PTR>(first), reinterpret_cast<DWORD_PTR>(second)};
  wchar_t* formatted = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY |
                                    FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                format.c_str(), 0, 0, reinterpret_cast<wchar_t*>(&formatted), 0,
                                reinterpret_cast<va_list*>(arguments));
  std::wstring text = length ? std::wstring(formatted, length) : std::wstring();
  LocalFree(formatted);
  return text;
}

std::wstring Decimal(DWORD value) { return std::to_wstring(value); }

void ClearOut(std::wstring* text, DWORD* error) {
  if (text) text->clear();
  if (error) *error = 0;
}

}  // namespace

std::wstring CNTService::GetSystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  return text;
}

std::wstring CNTService::FormatFailureText(UINT stringId, DWORD code, bool forEvent) {
  const DWORD format = forEvent ? eventTextFormat_ : returnedTextFormat_;
  const std::wstring code10 = Decimal(code);
  auto errorPart = [&] {
    return InsertArguments(LoadResourceString(MapStringId(kIdsErrorPart)), code10.c_str(),
                           GetSystemErrorText(code).c_str());
  };
  switch (format) {
    case 0: return code10;
    case 1: return errorPart();
    case 2: return GetSystemErrorText(code);
    default: break;
  }
  if (forEvent) return {};
  const std::wstring text = LoadResourceString(MapStringId(stringId));
  switch (format) {
    case 3: return InsertArguments(text, code10.c_str());
    case 4: return InsertArguments(text, errorPart().c_str());
    case 5: return InsertArguments(text, GetSystemErrorText(code).c_str());
    default: return {};
  }
}

bool CNTService::BuildDependencyList(std::vector<wchar_t>& list) {
  try {
    list.clear();
    for (const auto& dependency : dependencies_) {
      list.insert(list.end(), dependency.begin(), dependency.end());
      list.push_back(L'\0');
    }
    list.push_back(L'\0');
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_OUTOFMEMORY);
    return false;
  }
  return true;
}

bool CNTService::InstallEventSource(std::wstring* failureText, DWORD* error) {
  if (eventMessageFile_.empty()) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    wchar_t drive[_MAX_DRIVE], folder[_MAX_DIR], name[_MAX_FNAME], extension[_MAX_EXT];
    _wsplitpath_s(path, drive, _MAX_DRIVE, folder, _MAX_DIR, name, _MAX_FNAME, extension, _MAX_EXT);
    wchar_t joined[MAX_PATH] = {};
    _wmakepath_s(joined, MAX_PATH, drive, folder, name, L"DLL");
    eventMessageFile_ = joined;
  }
  if (InstallEventSourceKey(eventSource_.LogName().c_str(), eventSource_.SourceName().c_str(),
                            eventMessageFile_.c_str(), categoryMessageFile_.c_str(), parameterMessageFile_.c_str(),
                            eventTypesSupported_, eventCategoryCount_)) {
    return true;
  }
  const DWORD code = GetLastError();
  if (error) *error = code;
  if (failureText) *failureText = FormatFailureText(kIdsInstallEventSource, code, false);
  return false;
}

bool CNTService::ApplyServiceOptions(ServiceHandle& handle, std::wstring* failureText, DWORD* error) {
  bool applied = true;
  UINT failedId = 0;
  if (!description_.empty() && !handle.SetDescription(description_.c_str())) {
    failedId = kIdsInstallDescription;
  } else if (serviceSidType_ && !handle.SetSidType(serviceSidType_)) {
    failedId = kIdsInstallSidInfo;
  } else if (delayedAutoStart_ && !handle.SetDelayedAutoStart(true)) {
    failedId = kIdsInstallDelayAutoStart;
  } else if (!requiredPrivileges_.empty()) {
    std::vector<wchar_t> privileges;
    for (const auto& privilege : requiredPrivileges_) {
      privileges.insert(privileges.end(), privilege.begin(), privilege.end());
      privileges.push_back(L'\0');
    }
    privileges.push_back(L'\0');
    if (!handle.SetRequiredPrivileges(privileges.data())) failedId = kIdsInstallPrivileges;
  }
  if (!failedId && preShutdownTimeout_ && !handle.SetPreshutdownTimeout(preShutdownTimeout_)) {
    failedId = kIdsInstallPreshutdown;
  }
  if (failedId) {
    const DWORD code = GetLastError();
    if (error) *error = code;
    if (failureText) *failureText = FormatFailureText(failedId, code, false);
    applied = false;
  }
  return applied;
}

bool CNTService::Install(std::wstring* failureText, DWORD* error) {
  ClearOut(failureText, error);
  auto fail = [&](UINT id) {
    const DWORD code = GetLastError();
    if (error) *error = code;
    if (failureText) *failureText = FormatFailureText(id, code, false);
    return false;
  };
  ServiceManagerHandle manager;
  if (!manager.Open(nullptr, SC_MANAGER_CREATE_SERVICE | SC_MANAGER_LOCK)) return fail(kIdsInstallOpenScm);
  if (!manager.Lock()) return fail(kIdsInstallLockScm);
  std::vector<wchar_t> dependencies;
  if (!BuildDependencyList(dependencies)) return fail(kIdsInstallDependencies);
  ServiceHandle service;
  const bool created = service.Create(
      manager, serviceName_.c_str(), displayName_.c_str(), SERVICE_CHANGE_CONFIG, serviceType_, startType_,
      errorControl_, serviceCommandLine_.c_str(), loadOrderGroup_.empty() ? nullptr : loadOrderGroup_.c_str(),
      dependencies.data(), account_.empty() ? nullptr : account_.c_str(),
      password_.empty() ? nullptr : password_.c_str());
  const DWORD createError = GetLastError();
  WipeText(account_);
  WipeText(password_);
  if (!created) {
    SetLastError(createError);
    return fail(kIdsInstallCreateService);
  }
  if (useEventLog_ && !InstallEventSource(failureText, error)) return false;
  if (!ApplyServiceOptions(service, failureText, error)) return false;
  ReportFrameworkEvent(EVENTLOG_INFORMATION_TYPE, kMsgServiceInstalled, displayName_.c_str());
  return true;
}

bool CNTService::Uninstall(std::wstring* failureText, DWORD* error, DWORD timeoutMs) {
  ClearOut(failureText, error);
  auto fail = [&](UINT id, DWORD eventId) {
    const DWORD code = GetLastError();
    if (error) *error = code;
    if (failureText) *failureText = FormatFailureText(id, code, false);
    if (eventId && useEventLog_) {
      eventSource_.ReportText(EVENTLOG_ERROR_TYPE, MapEventId(eventId), FormatFailureText(id, code, true).c_str());
    }
    return false;
  };
  ServiceManagerHandle manager;
  if (!manager.Open(nullptr, SC_MANAGER_CONNECT)) return fail(kIdsUninstallOpenScm, kMsgOpenScmFailed);
  ServiceHandle service;
  if (!manager.OpenService(serviceName_.c_str(), DELETE | SERVICE_STOP | SERVICE_QUERY_STATUS, service)) {
    return fail(kIdsUninstallOpenService, kMsgOpenServiceFailed);
  }
  SERVICE_STATUS status;
  if (service.QueryStatus(&status) && status.dwCurrentState != SERVICE_STOPPED) {
    if (!service.Stop() && failureText) {
      *failureText = FormatFailureText(kIdsUninstallStopService, GetLastError(), false);
    }
    if (!service.WaitForStop(timeoutMs)) return fail(kIdsUninstallWaitForStop, 0);
  }
  if (!service.Delete()) return fail(kIdsUninstallDeleteService, kMsgDeleteServiceFailed);
  if (useEventLog_ && !RemoveEventSourceKey(eventSource_.LogName().c_str(), eventSource_.SourceName().c_str())) {
    return fail(kIdsUninstallEventSource, 0);
  }
  return true;
}

bool CNTService::SetServiceToStatus(DWORD request, DWORD* error, DWORD timeoutMs, DWORD pollMs) {
  if (error) *error = 0;
  struct Target {
    DWORD state;
    DWORD access;
  };
  static const Target kTargets[] = {
      {SERVICE_RUNNING, SERVICE_START | SERVICE_QUERY_STATUS},
      {SERVICE_PAUSED, SERVICE_PAUSE_CONTINUE | SERVICE_QUERY_STATUS},
      {SERVICE_RUNNING, SERVICE_PAUSE_CONTINUE | SERVICE_QUERY_STATUS},
      {SERVICE_STOPPED, SERVICE_STOP | SERVICE_QUERY_STATUS},
  };
  auto fail = [&](UINT id, DWORD eventId) {
    const DWORD code = GetLastError();
    if (error) *error = code;
    if (useEventLog_) {
      const DWORD mapped = MapEventId(eventId);
      if (eventId == kMsgStopFailed) {
        eventSource_.ReportText(EVENTLOG_ERROR_TYPE, mapped, Decimal(code).c_str());
      } else if (eventId == kMsgChangeStateFailed) {
        eventSource_.ReportTwoTexts(EVENTLOG_ERROR_TYPE, mapped, FormatFailureText(id, code, true).c_str(),
                                    Decimal(kTargets[request].state).c_str());
      } else {
        eventSource_.ReportText(EVENTLOG_ERROR_TYPE, mapped, FormatFailureText(id, code, true).c_str());
      }
    }
    SetLastError(code);
    return false;
  };

  ServiceManagerHandle manager;
  const bool known = request < 4;
  if (!manager.Open(nullptr, SC_MANAGER_CONNECT)) return fail(kIdsStatusOpenScm, kMsgOpenScmFailed);
  ServiceHandle service;
  const DWORD access = known ? kTargets[request].access : SERVICE_QUERY_STATUS;
  if (!manager.OpenService(serviceName_.c_str(), access, service)) {
    return fail(kIdsStatusOpenService, kMsgOpenServiceFailed);
  }
  SERVICE_STATUS status;
  if (!service.QueryStatus(&status)) return fail(kIdsStatusQuery, kMsgQueryStatusFailed);
  if (!known) return false;
  if (status.dwCurrentState != kTargets[request].state) {
    switch (request) {
      case 0:
        if (!service.Start()) return fail(kIdsStatusStart, kMsgStartFailed);
        break;
      case 1:
        if (!service.Pause()) return fail(kIdsStatusPause, kMsgPauseFailed);
        break;
      case 2:
        if (!service.Continue()) return fail(kIdsStatusContinue, kMsgContinueFailed);
        break;
      default:
        if (!service.Stop()) return fail(kIdsStatusStop, kMsgStopFailed);
        break;
    }
  }
  if (service.WaitForState(timeoutMs, kTargets[request].state, pollMs)) return true;
  return fail(kIdsStatusWait, kMsgChangeStateFailed);
}

namespace {

struct InstanceSearch {
  ServiceManagerHandle* manager;
  std::wstring programPath;  // upper case
  std::vector<std::wstring>* names;
};

bool AddInstanceWhenOurs(const ENUM_SERVICE_STATUSW& status, void* context) {
  auto* search = static_cast<InstanceSearch*>(context);
  ServiceHandle service;
  if (!search->manager->OpenService(status.lpServiceName, SERVICE_QUERY_CONFIG, service)) return true;
  QUERY_SERVICE_CONFIGW* config = nullptr;
  void* buffer = nullptr;
  if (!service.QueryConfig(&config, &buffer)) return true;
  std::wstring commandLine = config->lpBinaryPathName ? config->lpBinaryPathName : L"";
  CharUpperBuffW(commandLine.data(), static_cast<DWORD>(commandLine.size()));
  if (commandLine.find(search->programPath) != std::wstring::npos) search->names->emplace_back(status.lpServiceName);
  HeapFree(GetProcessHeap(), 0, buffer);
  return true;
}

}  // namespace

bool CNTService::ListInstances(std::vector<std::wstring>& names, DWORD* error) {
  names.clear();
  if (error) *error = 0;
  ServiceManagerHandle manager;
  if (!manager.Open(nullptr, SC_MANAGER_CONNECT | SC_MANAGER_ENUMERATE_SERVICE)) {
    if (error) *error = GetLastError();
    return false;
  }
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  CharUpperW(path);
  InstanceSearch search{&manager, path, &names};
  const bool listed = manager.EnumServices(SERVICE_WIN32, SERVICE_STATE_ALL, AddInstanceWhenOurs, &search);
  if (!listed && error) *error = GetLastError();
  return listed;
}
