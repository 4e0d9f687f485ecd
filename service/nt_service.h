// The general service class: names and installation settings, the control dispatcher and service
// main, control codes mapped to overridable operations, status reports under a lock, console mode,
// installation and control through the service control manager, event log and profile values.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "service/event_source.h"

class CNTServiceCommandLineInfo;
class ServiceHandle;

// Ends a service run with the exit codes it carries.
struct CNTServiceTerminateException {
  DWORD win32ExitCode;
  DWORD serviceSpecificExitCode;
};

class CNTService {
 public:
  CNTService(const wchar_t* serviceName, const wchar_t* displayName, DWORD acceptedControls,
             const wchar_t* description);
  virtual ~CNTService();
  CNTService(const CNTService&) = delete;
  CNTService& operator=(const CNTService&) = delete;

  void SetNames(const wchar_t* serviceName, const wchar_t* displayName, const wchar_t* description);

  // Profile values below the service's key, "Parameters", then the section.
  virtual bool SetProfileText(const wchar_t* section, const wchar_t* key, const wchar_t* text);
  virtual bool SetProfileNumber(const wchar_t* section, const wchar_t* key, DWORD number);
  virtual bool SetProfileTextList(const wchar_t* section, const wchar_t* key, const std::vector<std::wstring>& list);
  virtual bool SetProfileBytes(const wchar_t* section, const wchar_t* key, const BYTE* data, DWORD size);
  virtual std::wstring GetProfileText(const wchar_t* section, const wchar_t* key, const wchar_t* defaultText,
                                      DWORD* error = nullptr);
  virtual DWORD GetProfileNumber(const wchar_t* section, const wchar_t* key, DWORD defaultNumber,
                                 DWORD* error = nullptr);
  virtual bool GetProfileTextList(const wchar_t* section, const wchar_t* key, std::vector<std::wstring>& list,
                                  DWORD* error = nullptr);
  virtual bool GetProfileBytes(const wchar_t* section, const wchar_t* key, std::vector<BYTE>& data,
                               DWORD* error = nullptr);

  virtual void ParseCommandLine(CNTServiceCommandLineInfo& info, int argc, wchar_t** argv);
  virtual DWORD ProcessShellCommand(CNTServiceCommandLineInfo& info);

  virtual BOOL ReportStatus(DWORD state, DWORD checkpoint, DWORD waitHint, DWORD acceptedControls);
  virtual BOOL ReportCurrentStatus();
  virtual bool RegisterControlHandler();
  virtual DWORD HandlerEx(DWORD control, DWORD eventType, void* eventData);

  virtual void Run(DWORD argc, wchar_t** argv);
  virtual void OnStop();
  virtual void OnPause();
  virtual void OnContinue();
  virtual void OnInterrogate();
  virtual void OnShutdown();
  virtual void OnParamChange() {}
  virtual DWORD OnHardwareProfileChange(DWORD /*eventType*/, void* /*data*/) { return 0; }
  virtual DWORD OnPowerEvent(DWORD /*eventType*/, void* /*data*/) { return 0; }
  virtual void OnNetBindAdd() {}
  virtual void OnNetBindRemove() {}
  virtual void OnNetBindEnable() {}
  virtual void OnNetBindDisable() {}
  virtual DWORD OnDeviceEvent(DWORD /*eventType*/, void* /*data*/) { return 0; }
  virtual void OnUserDefinedRequest(DWORD /*control*/) {}
  virtual void OnSessionChange(DWORD /*eventType*/, void* /*data*/) {}
  virtual void OnPreShutdown() {}
  virtual void OnTimeChange(void* /*data*/) {}
  virtual void OnTriggerEvent() {}

  virtual BOOL StartDispatcher();
  // request: 0 start, 1 pause, 2 continue, 3 stop.
  virtual bool SetServiceToStatus(DWORD request, DWORD* error, DWORD timeoutMs, DWORD pollMs);
  virtual bool Install(std::wstring* failureText, DWORD* error);
  virtual bool Uninstall(std::wstring* failureText, DWORD* error, DWORD timeoutMs);
  virtual void RunInConsole();
  virtual void ShowHelp() {}
  virtual bool ListInstances(std::vector<std::wstring>& names, DWORD* error);
  virtual void ServiceMain(DWORD argc, wchar_t** argv);
  virtual std::wstring FormatFailureText(UINT stringId, DWORD code, bool forEvent);
  virtual UINT MapStringId(UINT id) { return id; }
  virtual DWORD MapEventId(DWORD id) { return id; }
  virtual std::wstring GetSystemErrorText(DWORD code);
  virtual BOOL SendStatus(DWORD state, DWORD checkpoint, DWORD waitHint, DWORD acceptedControls,
                          DWORD win32ExitCode, DWORD serviceSpecificExitCode);
  virtual bool BuildDependencyList(std::vector<wchar_t>& list);
  virtual BOOL OnConsoleCtrl(DWORD eventCode);
  virtual bool InstallEventSource(std::wstring* failureText, DWORD* error);
  // Works on the caller's handle; the caller keeps it and closes it.
  virtual bool ApplyServiceOptions(ServiceHandle& service, std::wstring* failureText, DWORD* error);

  static void ThrowTerminate(DWORD win32ExitCode, DWORD serviceSpecificExitCode);

  // The one service object of the program, for the callbacks of the system.
  static CNTService* Instance() { return instance_; }

  const std::wstring& ServiceName() const { return serviceName_; }
  const std::wstring& DisplayName() const { return displayName_; }
  const std::wstring& Description() const { return description_; }
  const std::wstring& ServiceCommandLine() const { return serviceCommandLine_; }
  DWORD StartType() const { return startType_; }
  DWORD CurrentState();

  // What the command line may change (all 0 after construction).
  DWORD mayAddServiceCommandLine_ = 0;
  DWORD mayChangeServiceName_ = 0;
  DWORD mayChangeDescription_ = 0;
  DWORD mayChangeDisplayName_ = 0;

 protected:
  // An event of the framework's own, written only while the event log is in use.
  void ReportFrameworkEvent(WORD type, DWORD id, const wchar_t* text);

  DWORD serviceType_ = SERVICE_WIN32_OWN_PROCESS;
  DWORD startType_ = SERVICE_DEMAND_START;
  DWORD errorControl_ = SERVICE_ERROR_IGNORE;
  std::wstring loadOrderGroup_;
  std::wstring account_;
  std::wstring password_;
  DWORD eventCategoryCount_ = 0;
  std::wstring categoryMessageFile_;
  std::wstring eventMessageFile_;
  std::wstring parameterMessageFile_;
  DWORD eventTypesSupported_ = EVENTLOG_ERROR_TYPE | EVENTLOG_WARNING_TYPE | EVENTLOG_INFORMATION_TYPE;
  DWORD returnedTextFormat_ = 4;
  DWORD eventTextFormat_ = 1;
  std::vector<std::wstring> dependencies_;
  DWORD useEventLog_ = 1;
  SERVICE_STATUS_HANDLE statusHandle_ = nullptr;
  DWORD acceptedControls_ = 0;
  DWORD checkpoint_ = 0;
  DWORD waitHint_ = 0;
  DWORD currentState_ = SERVICE_STOPPED;
  DWORD win32ExitCode_ = 0;
  DWORD serviceSpecificExitCode_ = 0;
  std::wstring serviceName_;
  std::wstring displayName_;
  std::wstring description_;
  DWORD delayedAutoStart_ = 0;
  DWORD serviceSidType_ = 0;
  std::vector<std::wstring> requiredPrivileges_;
  DWORD preShutdownTimeout_ = 0;
  ServiceEventSource eventSource_;
  CRITICAL_SECTION statusLock_;
  DWORD flushProfileWrites_ = 1;
  DWORD consoleMessages_ = 1;
  std::wstring serviceCommandLine_;
  using RegisterHandlerExFunction = SERVICE_STATUS_HANDLE(WINAPI*)(LPCWSTR, LPHANDLER_FUNCTION_EX, LPVOID);
  RegisterHandlerExFunction registerServiceCtrlHandlerEx_ = nullptr;

 private:
  static inline CNTService* instance_ = nullptr;
  // The arguments ParseCommandLine saw, for the console run.
  int commandArgc_ = 0;
  wchar_t** commandArgv_ = nullptr;
};

// Callbacks that reach the one service object.
void WINAPI ServiceMainCallback(DWORD argc, wchar_t** argv);
DWORD WINAPI ServiceHandlerExCallback(DWORD control, DWORD eventType, void* eventData, void* context);
void WINAPI ServiceHandlerCallback(DWORD control);
BOOL WINAPI ConsoleCtrlCallback(DWORD eventCode);

// The string table's ids.
enum ServiceStringId : UINT {
  kIdsInstallOpenScm = 1,
  kIdsInstallLockScm = 2,
  kIdsInstallCreateService = 3,
  kIdsInstallEventSource = 4,
  kIdsUninstallOpenScm = 5,
  kIdsUninstallOpenService = 6,
  kIdsUninstallWaitForStop = 7,
  kIdsUninstallDeleteService = 8,
  kIdsUninstallEventSource = 9,
  kIdsFailedStart = 10,
  kIdsFailedStop = 11,
  kIdsFailedContinue = 12,
  kIdsFailedPause = 13,
  kIdsFailedStartUnused = 14,
  kIdsErrorPart = 15,
  kIdsUninstallStopService = 16,
  kIdsStatusOpenScm = 17,
  kIdsStatusOpenService = 18,
  kIdsStatusStart = 19,
  kIdsStatusContinue = 20,
  kIdsStatusPause = 21,
  kIdsStatusStop = 22,
  kIdsStatusWait = 23,
  kIdsStatusQuery = 24,
  kIdsInstallDependencies = 25,
  kIdsInstallDescription = 26,
  kIdsInstallSidInfo = 27,
  kIdsInstallDelayAutoStart = 28,
  kIdsInstallPrivileges = 29,
  kIdsInstallPreshutdown = 30,
};

// Event ids of the framework.
enum ServiceEventId : DWORD {
  kMsgServiceStarted = 0x40000001,
  kMsgServiceInstalled = 0x40000002,
  kMsgServiceStopped = 0x40000003,
  kMsgServicePaused = 0x40000004,
  kMsgServiceContinued = 0x40000005,
  kMsgServiceShutdown = 0x40000009,
  kMsgOpenScmFailed = 0xC0000006,
  kMsgOpenServiceFailed = 0xC0000007,
  kMsgDeleteServiceFailed = 0xC0000008,
  kMsgStartFailed = 0xC000000A,
  kMsgStopFailed = 0xC000000B,
  kMsgContinueFailed = 0xC000000C,
  kMsgPauseFailed = 0xC000000D,
  kMsgChangeStateFailed = 0xC000000E,
  kMsgQueryStatusFailed = 0xC000000F,
};
