#include "service/nt_service.h"

#include "service/service_system_calls.h"

ServiceSystemCalls g_ServiceSystemCalls;

namespace {

constexpr DWORD kUnchanged = static_cast<DWORD>(-1);

bool IsPendingState(DWORD state) {
  return state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING ||
         state == SERVICE_CONTINUE_PENDING || state == SERVICE_PAUSE_PENDING;
}

}  // namespace

CNTService::CNTService(const wchar_t* serviceName, const wchar_t* displayName, DWORD acceptedControls,
                       const wchar_t* description)
    : acceptedControls_(acceptedControls) {
  InitializeCriticalSection(&statusLock_);
  if (HMODULE advapi = GetModuleHandleW(L"ADVAPI32.DLL")) {
    registerServiceCtrlHandlerEx_ =
        reinterpret_cast<RegisterHandlerExFunction>(
        reinterpret_cast<void*>(GetProcAddress(advapi, "RegisterServiceCtrlHandlerExW")));
  }
  SetNames(serviceName, displayName, description);
}

CNTService::~CNTService() {
  if (instance_ == this) instance_ = nullptr;
  DeleteCriticalSection(&statusLock_);
}

void CNTService::SetNames(const wchar_t* serviceName, const wchar_t* displayName, const wchar_t* description) {
  if (serviceName) serviceName_ = serviceName;
  if (displayName) displayName_ = displayName;
  if (description) description_ = description;
  eventSource_.SetSourceName(displayName_);
  instance_ = this;
}

void CNTService::ThrowTerminate(DWORD win32ExitCode, DWORD serviceSpecificExitCode) {
  throw CNTServiceTerminateException{win32ExitCode, serviceSpecificExitCode};
}

DWORD CNTService::CurrentState() {
  EnterCriticalSection(&statusLock_);
  DWORD state = currentState_;
  LeaveCriticalSection(&statusLock_);
  return state;
}

void CNTService::ReportFrameworkEvent(WORD type, DWORD id, const wchar_t* text) {
  if (useEventLog_) eventSource_.ReportText(type, MapEventId(id), text);
}

BOOL CNTService::ReportStatus(DWORD state, DWORD checkpoint, DWORD waitHint, DWORD acceptedControls) {
  return SendStatus(state, checkpoint, waitHint, acceptedControls, 0, 0);
}

BOOL CNTService::ReportCurrentStatus() {
  return ReportStatus(CurrentState(), kUnchanged, kUnchanged, kUnchanged);
}

BOOL CNTService::SendStatus(DWORD state, DWORD checkpoint, DWORD waitHint, DWORD acceptedControls,
                            DWORD win32ExitCode, DWORD serviceSpecificExitCode) {
  SERVICE_STATUS status = {};
  EnterCriticalSection(&statusLock_);
  currentState_ = state;
  if (state == SERVICE_STOPPED) {
    checkpoint_ = 0;
    waitHint_ = 0;
    win32ExitCode_ = win32ExitCode;
    serviceSpecificExitCode_ = serviceSpecificExitCode;
  } else if (IsPendingState(state)) {
    if (checkpoint != kUnchanged) checkpoint_ = checkpoint;
    if (waitHint != kUnchanged) waitHint_ = waitHint;
    win32ExitCode_ = 0;
    serviceSpecificExitCode_ = 0;
  } else {
    checkpoint_ = 0;
    waitHint_ = 0;
    win32ExitCode_ = 0;
    serviceSpecificExitCode_ = 0;
  }
  if (acceptedControls != kUnchanged) acceptedControls_ = acceptedControls;
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  // While a state change is under way the control manager must not send further controls.
  status.dwControlsAccepted = IsPendingState(state) ? 0 : acceptedControls_;
  status.dwWin32ExitCode = win32ExitCode_;
  status.dwServiceSpecificExitCode = serviceSpecificExitCode_;
  status.dwCheckPoint = checkpoint_;
  status.dwWaitHint = waitHint_;
  SERVICE_STATUS_HANDLE handle = statusHandle_;
  LeaveCriticalSection(&statusLock_);
  if (!handle) return FALSE;
  return g_ServiceSystemCalls.setServiceStatus(handle, &status);
}

bool CNTService::RegisterControlHandler() {
  EnterCriticalSection(&statusLock_);
  if (registerServiceCtrlHandlerEx_) {
    statusHandle_ = registerServiceCtrlHandlerEx_(serviceName_.c_str(), ServiceHandlerExCallback, nullptr);
  } else {
    statusHandle_ = RegisterServiceCtrlHandlerW(serviceName_.c_str(), ServiceHandlerCallback);
  }
  const bool registered = statusHandle_ != nullptr;
  LeaveCriticalSection(&statusLock_);
  return registered;
}

DWORD CNTService::HandlerEx(DWORD control, DWORD eventType, void* eventData) {
  DWORD result = 0;
  switch (control) {
    case SERVICE_CONTROL_STOP: OnStop(); break;
    case SERVICE_CONTROL_PAUSE: OnPause(); break;
    case SERVICE_CONTROL_CONTINUE: OnContinue(); break;
    case SERVICE_CONTROL_INTERROGATE: OnInterrogate(); break;
    case SERVICE_CONTROL_SHUTDOWN: OnShutdown(); break;
    case SERVICE_CONTROL_PARAMCHANGE: OnParamChange(); break;
    case SERVICE_CONTROL_NETBINDADD: OnNetBindAdd(); break;
    case SERVICE_CONTROL_NETBINDREMOVE: OnNetBindRemove(); break;
    case SERVICE_CONTROL_NETBINDENABLE: OnNetBindEnable(); break;
    case SERVICE_CONTROL_NETBINDDISABLE: OnNetBindDisable(); break;
    case SERVICE_CONTROL_DEVICEEVENT: result = OnDeviceEvent(eventType, eventData); break;
    case SERVICE_CONTROL_HARDWAREPROFILECHANGE: result = OnHardwareProfileChange(eventType, eventData); break;
    case SERVICE_CONTROL_POWEREVENT: result = OnPowerEvent(eventType, eventData); break;
    case SERVICE_CONTROL_SESSIONCHANGE: OnSessionChange(eventType, eventData); break;
    case SERVICE_CONTROL_PRESHUTDOWN: OnPreShutdown(); break;
    case SERVICE_CONTROL_TIMECHANGE: OnTimeChange(eventData); break;
    case SERVICE_CONTROL_TRIGGEREVENT: OnTriggerEvent(); break;
    default: OnUserDefinedRequest(control); break;
  }
  ReportCurrentStatus();
  return result;
}

void CNTService::Run(DWORD /*argc*/, wchar_t** /*argv*/) {}
void CNTService::OnStop() { ReportFrameworkEvent(EVENTLOG_INFORMATION_TYPE, kMsgServiceStopped, displayName_.c_str()); }
void CNTService::OnPause() { ReportFrameworkEvent(EVENTLOG_INFORMATION_TYPE, kMsgServicePaused, displayName_.c_str()); }
void CNTService::OnContinue() {
  ReportFrameworkEvent(EVENTLOG_INFORMATION_TYPE, kMsgServiceContinued, displayName_.c_str());
}
void CNTService::OnInterrogate() { ReportCurrentStatus(); }
void CNTService::OnShutdown() {
  ReportFrameworkEvent(EVENTLOG_INFORMATION_TYPE, kMsgServiceShutdown, displayName_.c_str());
}

BOOL CNTService::StartDispatcher() {
  wchar_t name[256] = {};
  lstrcpynW(name, serviceName_.c_str(), 256);
  SERVICE_TABLE_ENTRYW table[] = {{name, ServiceMainCallback}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherW(table);
}

void CNTService::ServiceMain(DWORD argc, wchar_t** argv) {
  RegisterControlHandler();
  DWORD win32ExitCode = 0, serviceSpecificExitCode = 0;
  try {
    Run(argc, argv);
  } catch (const CNTServiceTerminateException& terminate) {
    win32ExitCode = terminate.win32ExitCode;
    serviceSpecificExitCode = terminate.serviceSpecificExitCode;
  }
  // Under Wine nothing after this report is sure to run: all clean-up is done by now.
  SendStatus(SERVICE_STOPPED, 0, 0, 0, win32ExitCode, serviceSpecificExitCode);
}

void WINAPI ServiceMainCallback(DWORD argc, wchar_t** argv) {
  if (CNTService* service = CNTService::Instance()) service->ServiceMain(argc, argv);
}

DWORD WINAPI ServiceHandlerExCallback(DWORD control, DWORD eventType, void* eventData, void* /*context*/) {
  CNTService* service = CNTService::Instance();
  return service ? service->HandlerEx(control, eventType, eventData) : ERROR_CALL_NOT_IMPLEMENTED;
}

void WINAPI ServiceHandlerCallback(DWORD control) {
  if (CNTService* service = CNTService::Instance()) service->HandlerEx(control, 0, nullptr);
}
