// The service program as its own remote control: the command line chosen action, and the service's
// work run in the console.
#include <cwchar>
#include <new>
#include <vector>

#include "common/console_text.h"
#include "service/command_line_info.h"
#include "service/nt_service.h"

namespace {

void ShowFailure(DWORD consoleMessages, const std::wstring& text) {
  if (consoleMessages) {
    WriteConsoleLine(STD_OUTPUT_HANDLE, text);
  } else {
    MessageBoxW(nullptr, text.c_str(), nullptr, MB_OK | MB_ICONSTOP);
  }
}

bool IsConsoleSwitch(const wchar_t* argument) {
  static const wchar_t* const kSwitches[] = {L"-debug", L"/debug", L"-app", L"/app", L"-application",
                                            L"/application", L"-console", L"/console"};
  for (const wchar_t* word : kSwitches) {
    if (lstrcmpiW(argument, word) == 0) return true;
  }
  return false;
}

// The console control handler for the time of a console run: removed when the run ends, also by
// a termination, so that no Ctrl-C can reach a service object that is going or gone.
class ConsoleCtrlHandlerScope {
 public:
  ConsoleCtrlHandlerScope() { ::SetConsoleCtrlHandler(ConsoleCtrlCallback, TRUE); }
  ~ConsoleCtrlHandlerScope() { ::SetConsoleCtrlHandler(ConsoleCtrlCallback, FALSE); }
  ConsoleCtrlHandlerScope(const ConsoleCtrlHandlerScope&) = delete;
  ConsoleCtrlHandlerScope& operator=(const ConsoleCtrlHandlerScope&) = delete;
};

// " \"/SN:name\"" and its kin.
std::wstring QuotedSwitch(const wchar_t* format, const std::wstring& value) {
  return L" \"" + std::wstring(format) + value + L"\"";
}

}  // namespace

void CNTService::ParseCommandLine(CNTServiceCommandLineInfo& info, int argc, wchar_t** argv) {
  commandArgc_ = argc;
  commandArgv_ = argv;
  for (int i = 1; i < argc; ++i) {
    const wchar_t* argument = argv[i];
    const bool isSwitch = argument[0] == L'-' || argument[0] == L'/';
    info.ParseParam(isSwitch ? argument + 1 : argument, isSwitch, i == argc - 1);
  }
}

DWORD CNTService::ProcessShellCommand(CNTServiceCommandLineInfo& info) {
  if (!info.serviceName_.empty() && mayChangeServiceName_) serviceName_ = info.serviceName_;
  if (!info.displayName_.empty() && mayChangeDisplayName_) {
    displayName_ = info.displayName_;
    eventSource_.SetSourceName(displayName_);
  }
  if (!info.description_.empty() && mayChangeDescription_) description_ = info.description_;

  DWORD result = 0;
  switch (info.action_) {
    case CNTServiceCommandLineInfo::kRunAsService:
      if (!StartDispatcher()) result = GetLastError();
      break;
    case CNTServiceCommandLineInfo::kStartService:
    case CNTServiceCommandLineInfo::kPauseService:
    case CNTServiceCommandLineInfo::kContinueService:
    case CNTServiceCommandLineInfo::kStopService: {
      struct Request {
        DWORD request;
        UINT failureText;
      };
      static const Request kRequests[] = {{0, kIdsFailedStart}, {1, kIdsFailedPause},
                                          {2, kIdsFailedContinue}, {3, kIdsFailedStop}};
      const Request& request = kRequests[info.action_ - CNTServiceCommandLineInfo::kStartService];
      DWORD error = 0;
      if (!SetServiceToStatus(request.request, &error, info.timeout_, 250)) {
        result = error;
        if (!info.silent_) ShowFailure(consoleMessages_, FormatFailureText(request.failureText, error, false));
      }
      break;
    }
    case CNTServiceCommandLineInfo::kInstallService: {
      wchar_t path[MAX_PATH] = {};
      GetModuleFileNameW(nullptr, path, MAX_PATH);
      std::wstring commandLine = path;
      if (commandLine.find(L' ') != std::wstring::npos) commandLine = L"\"" + commandLine + L"\"";
      if (!info.serviceName_.empty() && mayChangeServiceName_) commandLine += QuotedSwitch(L"/SN:", info.serviceName_);
      if (!info.displayName_.empty() && mayChangeDisplayName_) commandLine += QuotedSwitch(L"/SDN:", info.displayName_);
      if (!info.description_.empty() && mayChangeDescription_) commandLine += QuotedSwitch(L"/SD:", info.description_);
      if (!info.serviceCommandLine_.empty() && mayAddServiceCommandLine_) commandLine += L" " + info.serviceCommandLine_;
      serviceCommandLine_ = commandLine;
      if (!info.account_.empty()) account_ = info.account_;
      if (!info.password_.empty()) password_ = info.password_;
      info.WipeCredentials();
      startType_ = info.autoStart_ ? SERVICE_AUTO_START : SERVICE_DEMAND_START;
      std::wstring failure;
      DWORD error = 0;
      if (!Install(&failure, &error)) {
        result = error;
        if (!info.silent_) ShowFailure(consoleMessages_, failure);
      }
      break;
    }
    case CNTServiceCommandLineInfo::kUninstallService: {
      std::wstring failure;
      DWORD error = 0;
      if (!Uninstall(&failure, &error, info.timeout_)) {
        result = error;
        if (!info.silent_) ShowFailure(consoleMessages_, failure);
      }
      break;
    }
    case CNTServiceCommandLineInfo::kDebugService:
      try {
        RunInConsole();
      } catch (const CNTServiceTerminateException& terminate) {
        result = terminate.win32ExitCode;
      }
      break;
    case CNTServiceCommandLineInfo::kShowServiceHelp:
      ShowHelp();
      break;
    default:
      break;
  }
  return result;
}

void CNTService::RunInConsole() {
  std::vector<wchar_t*>* arguments = new (std::nothrow) std::vector<wchar_t*>();
  if (!arguments) ThrowTerminate(ERROR_OUTOFMEMORY, 0);
  try {
    for (int i = 0; i < commandArgc_; ++i) {
      if (!IsConsoleSwitch(commandArgv_[i])) arguments->push_back(commandArgv_[i]);
    }
  } catch (const std::bad_alloc&) {
    delete arguments;
    ThrowTerminate(ERROR_OUTOFMEMORY, 0);
  }
  try {
    ConsoleCtrlHandlerScope handler;
    Run(static_cast<DWORD>(arguments->size()), arguments->data());
  } catch (...) {
    delete arguments;
    throw;
  }
  delete arguments;
}

BOOL CNTService::OnConsoleCtrl(DWORD eventCode) {
  switch (eventCode) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
      OnStop();
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL WINAPI ConsoleCtrlCallback(DWORD eventCode) {
  CNTService* service = CNTService::Instance();
  return service ? service->OnConsoleCtrl(eventCode) : FALSE;
}
