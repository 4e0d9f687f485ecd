// Handles of the service control manager and of one service that close what they opened.
#pragma once
#include <windows.h>

class ServiceHandle;

class ServiceManagerHandle {
 public:
  ServiceManagerHandle();
  ~ServiceManagerHandle() { Close(); }
  ServiceManagerHandle(const ServiceManagerHandle&) = delete;
  ServiceManagerHandle& operator=(const ServiceManagerHandle&) = delete;

  bool Open(const wchar_t* machine, DWORD access);
  bool Lock();
  bool OpenService(const wchar_t* name, DWORD access, ServiceHandle& service);
  // Calls back (status, context) for every service of the type and state; stops when it returns false.
  bool EnumServices(DWORD type, DWORD state, bool (*callback)(const ENUM_SERVICE_STATUSW&, void*), void* context);
  void Close();
  SC_HANDLE Get() const { return manager_; }

 private:
  SC_HANDLE manager_ = nullptr;
  SC_LOCK lock_ = nullptr;
  HMODULE advapi_ = nullptr;
  FARPROC registerServiceCtrlHandlerEx_ = nullptr;
  FARPROC enumServicesStatusEx_ = nullptr;
};

class ServiceHandle {
 public:
  ServiceHandle();
  ~ServiceHandle() { Close(); }
  ServiceHandle(const ServiceHandle&) = delete;
  ServiceHandle& operator=(const ServiceHandle&) = delete;

  // Takes the handle, closing the one held before.
  void Assign(SC_HANDLE service);
  bool Create(ServiceManagerHandle& manager, const wchar_t* name, const wchar_t* displayName, DWORD access,
              DWORD serviceType, DWORD startType, DWORD errorControl, const wchar_t* binaryPath,
              const wchar_t* loadOrderGroup, const wchar_t* dependencies, const wchar_t* account,
              const wchar_t* password);
  bool Delete();
  bool Start();
  bool Stop() { return SendControl(SERVICE_CONTROL_STOP); }
  bool Pause() { return SendControl(SERVICE_CONTROL_PAUSE); }
  bool Continue() { return SendControl(SERVICE_CONTROL_CONTINUE); }
  bool QueryStatus(SERVICE_STATUS* status);
  // The configuration in a buffer of the size the system asks for.
  bool QueryConfig(QUERY_SERVICE_CONFIGW** config, void** buffer);
  // Polls until the state is `target`; -1 waits without limit. On a time-out ERROR_TIMEOUT.
  bool WaitForState(DWORD timeoutMs, DWORD target, DWORD pollMs);
  bool WaitForStop(DWORD timeoutMs) { return WaitForState(timeoutMs, SERVICE_STOPPED, 250); }

  bool SetDescription(const wchar_t* description);
  bool SetSidType(DWORD sidType);
  bool SetDelayedAutoStart(bool delayed);
  bool SetRequiredPrivileges(const wchar_t* privileges);
  bool SetPreshutdownTimeout(DWORD timeoutMs);

  void Close();
  SC_HANDLE Get() const { return service_; }

 private:
  bool SendControl(DWORD control);
  bool ChangeConfig2(DWORD level, void* info);

  SC_HANDLE service_ = nullptr;
  HMODULE advapi_ = nullptr;
  FARPROC queryServiceConfig2_ = nullptr;
  using ChangeConfig2Function = BOOL(WINAPI*)(SC_HANDLE, DWORD, LPVOID);
  ChangeConfig2Function changeServiceConfig2_ = nullptr;
  FARPROC queryServiceStatusEx_ = nullptr;
  FARPROC notifyServiceStatusChange_ = nullptr;
  FARPROC controlServiceEx_ = nullptr;
};
