#include "service/service_handles.h"

#include <vector>

ServiceManagerHandle::ServiceManagerHandle() {
  advapi_ = GetModuleHandleW(L"ADVAPI32.DLL");
  if (advapi_) {
    registerServiceCtrlHandlerEx_ = GetProcAddress(advapi_, "RegisterServiceCtrlHandlerExW");
    enumServicesStatusEx_ = GetProcAddress(advapi_, "EnumServicesStatusExW");
  }
}

bool ServiceManagerHandle::Open(const wchar_t* machine, DWORD access) {
  Close();
  manager_ = OpenSCManagerW(machine, SERVICES_ACTIVE_DATABASEW, access);
  return manager_ != nullptr;
}

bool ServiceManagerHandle::Lock() {
  lock_ = LockServiceDatabase(manager_);
  return lock_ != nullptr;
}

bool ServiceManagerHandle::OpenService(const wchar_t* name, DWORD access, ServiceHandle& service) {
  SC_HANDLE handle = ::OpenServiceW(manager_, name, access);
  service.Assign(handle);
  return handle != nullptr;
}

bool ServiceManagerHandle::EnumServices(DWORD type, DWORD state,
                                        bool (*callback)(const ENUM_SERVICE_STATUSW&, void*), void* context) {
  DWORD needed = 0, count = 0, resume = 0;
  if (EnumServicesStatusW(manager_, type, state, nullptr, 0, &needed, &count, &resume)) return true;
  if (GetLastError() != ERROR_MORE_DATA) return false;
  std::vector<BYTE> buffer;
  try {
    buffer.resize(needed);
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_OUTOFMEMORY);
    return false;
  }
  resume = 0;
  if (!EnumServicesStatusW(manager_, type, state, reinterpret_cast<ENUM_SERVICE_STATUSW*>(buffer.data()), needed,
                           &needed, &count, &resume)) {
    return false;
  }
  const auto* services = reinterpret_cast<const ENUM_SERVICE_STATUSW*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    if (!callback(services[i], context)) break;
  }
  return true;
}

void ServiceManagerHandle::Close() {
  if (lock_) UnlockServiceDatabase(lock_);
  lock_ = nullptr;
  if (manager_) CloseServiceHandle(manager_);
  manager_ = nullptr;
}

ServiceHandle::ServiceHandle() {
  advapi_ = GetModuleHandleW(L"ADVAPI32.DLL");
  if (advapi_) {
    queryServiceConfig2_ = GetProcAddress(advapi_, "QueryServiceConfig2W");
    changeServiceConfig2_ = reinterpret_cast<ChangeConfig2Function>(reinterpret_cast<void*>(GetProcAddress(advapi_, "ChangeServiceConfig2W")));
    queryServiceStatusEx_ = GetProcAddress(advapi_, "QueryServiceStatusEx");
    notifyServiceStatusChange_ = GetProcAddress(advapi_, "NotifyServiceStatusChangeW");
    controlServiceEx_ = GetProcAddress(advapi_, "ControlServiceExW");
  }
}

void ServiceHandle::Assign(SC_HANDLE service) {
  Close();
  service_ = service;
}

bool ServiceHandle::Create(ServiceManagerHandle& manager, const wchar_t* name, const wchar_t* displayName,
                           DWORD access, DWORD serviceType, DWORD startType, DWORD errorControl,
                           const wchar_t* binaryPath, const wchar_t* loadOrderGroup, const wchar_t* dependencies,
                           const wchar_t* account, const wchar_t* password) {
  Assign(CreateServiceW(manager.Get(), name, displayName, access, serviceType, startType, errorControl, binaryPath,
                        loadOrderGroup, nullptr, dependencies, account, password));
  return service_ != nullptr;
}

bool ServiceHandle::Delete() { return DeleteService(service_) != FALSE; }
bool ServiceHandle::Start() { return StartServiceW(service_, 0, nullptr) != FALSE; }

bool ServiceHandle::SendControl(DWORD control) {
  SERVICE_STATUS status;
  return ControlService(service_, control, &status) != FALSE;
}

bool ServiceHandle::QueryStatus(SERVICE_STATUS* status) { return QueryServiceStatus(service_, status) != FALSE; }

bool ServiceHandle::QueryConfig(QUERY_SERVICE_CONFIGW** config, void** buffer) {
  *config = nullptr;
  *buffer = nullptr;
  DWORD needed = 0;
  if (QueryServiceConfigW(service_, nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
  void* memory = HeapAlloc(GetProcessHeap(), 0, needed);
  if (!memory) {
    SetLastError(ERROR_OUTOFMEMORY);
    return false;
  }
  if (!QueryServiceConfigW(service_, static_cast<QUERY_SERVICE_CONFIGW*>(memory), needed, &needed)) {
    DWORD error = GetLastError();
    HeapFree(GetProcessHeap(), 0, memory);
    SetLastError(error);
    return false;
  }
  *config = static_cast<QUERY_SERVICE_CONFIGW*>(memory);
  *buffer = memory;
  return true;
}

bool ServiceHandle::WaitForState(DWORD timeoutMs, DWORD target, DWORD pollMs) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    SERVICE_STATUS status;
    if (!QueryStatus(&status)) return false;
    if (status.dwCurrentState == target) return true;
    Sleep(pollMs);
    if (timeoutMs != INFINITE && GetTickCount64() - start > timeoutMs) {
      SetLastError(ERROR_TIMEOUT);
      return false;
    }
  }
}

bool ServiceHandle::ChangeConfig2(DWORD level, void* info) {
  if (!changeServiceConfig2_) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return false;
  }
  return changeServiceConfig2_(service_, level, info) != FALSE;
}

bool ServiceHandle::SetDescription(const wchar_t* description) {
  SERVICE_DESCRIPTIONW info = {const_cast<wchar_t*>(description)};
  return ChangeConfig2(SERVICE_CONFIG_DESCRIPTION, &info);
}

bool ServiceHandle::SetSidType(DWORD sidType) {
  SERVICE_SID_INFO info = {sidType};
  return ChangeConfig2(SERVICE_CONFIG_SERVICE_SID_INFO, &info);
}

bool ServiceHandle::SetDelayedAutoStart(bool delayed) {
  SERVICE_DELAYED_AUTO_START_INFO info = {delayed};
  return ChangeConfig2(SERVICE_CONFIG_DELAYED_AUTO_START_INFO, &info);
}

bool ServiceHandle::SetRequiredPrivileges(const wchar_t* privileges) {
  SERVICE_REQUIRED_PRIVILEGES_INFOW info = {const_cast<wchar_t*>(privileges)};
  return ChangeConfig2(SERVICE_CONFIG_REQUIRED_PRIVILEGES_INFO, &info);
}

bool ServiceHandle::SetPreshutdownTimeout(DWORD timeoutMs) {
  SERVICE_PRESHUTDOWN_INFO info = {timeoutMs};
  return ChangeConfig2(SERVICE_CONFIG_PRESHUTDOWN_INFO, &info);
}

void ServiceHandle::Close() {
  if (service_) CloseServiceHandle(service_);
  service_ = nullptr;
}
