// sc.exe for Wine prefixes: Wine's own has no config, qc, pause, continue or interrogate, and
// exits 1 without a word when asked for them. This one does every command the system and its
// tests use through the service control manager, prints what the real tool prints for them, and
// exits with the Win32 error code (1639 for a command line it cannot use).
//   sc [\\server] query|queryex [NAME | type= X state= X]
//   sc [\\server] start|stop|pause|continue|interrogate|qc|delete NAME
//   sc [\\server] config|create NAME [start= X] [binPath= X] [DisplayName= X] [type= X] [error= X]
//                                     [obj= X] [password= X] [depend= A/B]
//   sc [\\server] description NAME TEXT
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "common/console_text.h"

namespace {

struct Named {
  const wchar_t* word;
  DWORD value;
};

const Named kStartTypes[] = {{L"boot", SERVICE_BOOT_START}, {L"system", SERVICE_SYSTEM_START},
                             {L"auto", SERVICE_AUTO_START}, {L"demand", SERVICE_DEMAND_START},
                             {L"disabled", SERVICE_DISABLED}, {L"delayed-auto", SERVICE_AUTO_START}};
// How the start type reads in qc.
const Named kStartTypeNames[] = {{L"BOOT_START", SERVICE_BOOT_START}, {L"SYSTEM_START", SERVICE_SYSTEM_START},
                                 {L"AUTO_START", SERVICE_AUTO_START}, {L"DEMAND_START", SERVICE_DEMAND_START},
                                 {L"DISABLED", SERVICE_DISABLED}};
const Named kEnumTypes[] = {{L"service", SERVICE_WIN32}, {L"driver", SERVICE_DRIVER},
                            {L"all", SERVICE_WIN32 | SERVICE_DRIVER}, {L"own", SERVICE_WIN32_OWN_PROCESS},
                            {L"share", SERVICE_WIN32_SHARE_PROCESS}, {L"kernel", SERVICE_KERNEL_DRIVER},
                            {L"filesys", SERVICE_FILE_SYSTEM_DRIVER}};
const Named kEnumStates[] = {{L"active", SERVICE_ACTIVE}, {L"inactive", SERVICE_INACTIVE},
                             {L"all", SERVICE_STATE_ALL}};
const Named kServiceTypes[] = {{L"own", SERVICE_WIN32_OWN_PROCESS}, {L"share", SERVICE_WIN32_SHARE_PROCESS},
                               {L"kernel", SERVICE_KERNEL_DRIVER}, {L"filesys", SERVICE_FILE_SYSTEM_DRIVER}};
// How the type reads in query and qc.
const Named kServiceTypeNames[] = {{L"WIN32_OWN_PROCESS", SERVICE_WIN32_OWN_PROCESS},
                                   {L"WIN32_SHARE_PROCESS", SERVICE_WIN32_SHARE_PROCESS},
                                   {L"KERNEL_DRIVER", SERVICE_KERNEL_DRIVER},
                                   {L"FILE_SYSTEM_DRIVER", SERVICE_FILE_SYSTEM_DRIVER}};
const Named kErrorControls[] = {{L"ignore", SERVICE_ERROR_IGNORE}, {L"normal", SERVICE_ERROR_NORMAL},
                                {L"severe", SERVICE_ERROR_SEVERE}, {L"critical", SERVICE_ERROR_CRITICAL}};

constexpr DWORD kBadCommandLine = ERROR_INVALID_COMMAND_LINE;  // 1639

// Printed whole, whatever its characters (a display name, the system's texts).
void Print(const wchar_t* format, ...) {
  wchar_t line[2048];
  va_list arguments;
  va_start(arguments, format);
  std::vswprintf(line, sizeof line / sizeof line[0], format, arguments);
  va_end(arguments);
  WriteConsoleText(STD_OUTPUT_HANDLE, line);
}

DWORD Usage(const wchar_t* complaint) {
  if (complaint) Print(L"ERROR:  %ls\n\n", complaint);
  Print(L"DESCRIPTION:\n        SC is a command line program used for communicating with the\n"
        L"        Service Control Manager and services.\n"
        L"USAGE:\n        sc <server> [command] [service name] <option1> <option2>...\n\n"
        L"        Commands: query, queryex, start, stop, pause, continue, interrogate,\n"
        L"                  config, qc, create, delete, description.\n");
  return kBadCommandLine;
}

const wchar_t* StateName(DWORD state) {
  switch (state) {
    case SERVICE_STOPPED: return L"STOPPED";
    case SERVICE_START_PENDING: return L"START_PENDING";
    case SERVICE_STOP_PENDING: return L"STOP_PENDING";
    case SERVICE_RUNNING: return L"RUNNING";
    case SERVICE_CONTINUE_PENDING: return L"CONTINUE_PENDING";
    case SERVICE_PAUSE_PENDING: return L"PAUSE_PENDING";
    case SERVICE_PAUSED: return L"PAUSED";
    default: return L"";
  }
}

const wchar_t* WordOf(const Named* table, size_t count, DWORD value) {
  for (size_t i = 0; i < count; ++i) {
    if (table[i].value == value) return table[i].word;
  }
  return L"";
}

bool ValueOf(const Named* table, size_t count, const wchar_t* word, DWORD* value) {
  for (size_t i = 0; i < count; ++i) {
    if (_wcsicmp(table[i].word, word) == 0) {
      *value = table[i].value;
      return true;
    }
  }
  return false;
}

std::wstring UpperCase(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(towupper(c));
  return text;
}

DWORD Failed(const wchar_t* call, DWORD error) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr,
                 error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  Print(L"[SC] %ls FAILED %lu:\n\n", call, error);
  WriteConsoleLine(STD_OUTPUT_HANDLE, text ? text : L"");
  LocalFree(text);
  return error;
}

// The status block of query and queryex; `process` adds the PID and FLAGS lines of queryex and
// start, `displayName` the DISPLAY_NAME line of an enumeration.
void PrintStatus(const wchar_t* name, const wchar_t* displayName, const SERVICE_STATUS_PROCESS& status,
                 bool process) {
  Print(L"\nSERVICE_NAME: %ls\n", name);
  if (displayName) Print(L"DISPLAY_NAME: %ls\n", displayName);
  Print(L"        TYPE               : %lx  %ls\n", status.dwServiceType,
        WordOf(kServiceTypeNames, 4, status.dwServiceType));
  Print(L"        STATE              : %lu  %ls\n", status.dwCurrentState, StateName(status.dwCurrentState));
  std::wstring accepts;
  accepts += status.dwControlsAccepted & SERVICE_ACCEPT_STOP ? L"STOPPABLE" : L"NOT_STOPPABLE";
  accepts += status.dwControlsAccepted & SERVICE_ACCEPT_PAUSE_CONTINUE ? L", PAUSABLE" : L", NOT_PAUSABLE";
  accepts += status.dwControlsAccepted & SERVICE_ACCEPT_SHUTDOWN ? L", ACCEPTS_SHUTDOWN" : L", IGNORES_SHUTDOWN";
  Print(L"                                (%ls)\n", accepts.c_str());
  Print(L"        WIN32_EXIT_CODE    : %lu  (0x%lx)\n", status.dwWin32ExitCode, status.dwWin32ExitCode);
  Print(L"        SERVICE_EXIT_CODE  : %lu  (0x%lx)\n", status.dwServiceSpecificExitCode,
        status.dwServiceSpecificExitCode);
  Print(L"        CHECKPOINT         : 0x%lx\n", status.dwCheckPoint);
  Print(L"        WAIT_HINT          : 0x%lx\n", status.dwWaitHint);
  if (process) {
    Print(L"        PID                : %lu\n", status.dwProcessId);
    Print(L"        FLAGS              : %ls\n",
          status.dwServiceFlags & SERVICE_RUNS_IN_SYSTEM_PROCESS ? L"RUNS_IN_SYSTEM_PROCESS" : L"");
  }
}

SERVICE_STATUS_PROCESS WithoutProcess(const SERVICE_STATUS& status) {
  SERVICE_STATUS_PROCESS full = {};
  std::memcpy(&full, &status, sizeof status);
  return full;
}

bool QueryStatusEx(SC_HANDLE service, SERVICE_STATUS_PROCESS* status) {
  DWORD needed = 0;
  return QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(status), sizeof *status,
                              &needed) != FALSE;
}

// The "key= value" options of config and create.
struct ConfigOptions {
  DWORD serviceType = SERVICE_NO_CHANGE;
  DWORD startType = SERVICE_NO_CHANGE;
  bool delayed = false;  // start= delayed-auto
  DWORD errorControl = SERVICE_NO_CHANGE;
  const wchar_t* binaryPath = nullptr;
  const wchar_t* displayName = nullptr;
  const wchar_t* account = nullptr;
  const wchar_t* password = nullptr;
  std::vector<wchar_t> dependencies;  // empty: no change
};

bool ParseOptions(int argc, wchar_t** argv, ConfigOptions* options) {
  for (int i = 0; i < argc; i += 2) {
    const wchar_t* key = argv[i];
    if (i + 1 >= argc) return false;
    const wchar_t* value = argv[i + 1];
    bool known = true;
    if (_wcsicmp(key, L"start=") == 0) {
      known = ValueOf(kStartTypes, 6, value, &options->startType);
      options->delayed = _wcsicmp(value, L"delayed-auto") == 0;
    } else if (_wcsicmp(key, L"type=") == 0) {
      known = ValueOf(kServiceTypes, 4, value, &options->serviceType);
    } else if (_wcsicmp(key, L"error=") == 0) {
      known = ValueOf(kErrorControls, 4, value, &options->errorControl);
    } else if (_wcsicmp(key, L"binPath=") == 0) {
      options->binaryPath = value;
    } else if (_wcsicmp(key, L"DisplayName=") == 0) {
      options->displayName = value;
    } else if (_wcsicmp(key, L"obj=") == 0) {
      options->account = value;
    } else if (_wcsicmp(key, L"password=") == 0) {
      options->password = value;
    } else if (_wcsicmp(key, L"depend=") == 0) {
      for (const wchar_t* c = value; *c; ++c) options->dependencies.push_back(*c == L'/' ? L'\0' : *c);
      options->dependencies.push_back(L'\0');
      options->dependencies.push_back(L'\0');
    } else {
      known = false;
    }
    if (!known) return false;
  }
  return true;
}

// The delayed flag where the system keeps it: Wine's control manager refuses the information
// level (ERROR_INVALID_LEVEL), so the stand-in then keeps it in the service's registry key, in the
// value Windows itself uses. Only on the local computer.
const wchar_t kDelayedValue[] = L"DelayedAutostart";

std::wstring ServiceKeyPath(const wchar_t* name) {
  return std::wstring(L"SYSTEM\\CurrentControlSet\\Services\\") + name;
}

bool SetDelayedStart(SC_HANDLE service, const wchar_t* name, bool local, bool delayed) {
  SERVICE_DELAYED_AUTO_START_INFO info = {delayed};
  if (ChangeServiceConfig2W(service, SERVICE_CONFIG_DELAYED_AUTO_START_INFO, &info)) return true;
  if (GetLastError() != ERROR_INVALID_LEVEL || !local) return false;
  const DWORD value = delayed ? 1 : 0;
  const LSTATUS status = RegSetKeyValueW(HKEY_LOCAL_MACHINE, ServiceKeyPath(name).c_str(), kDelayedValue, REG_DWORD,
                                         &value, sizeof value);
  SetLastError(static_cast<DWORD>(status));
  return status == ERROR_SUCCESS;
}

bool DelayedStart(SC_HANDLE service, const wchar_t* name, bool local) {
  SERVICE_DELAYED_AUTO_START_INFO info = {};
  DWORD needed = 0;
  if (QueryServiceConfig2W(service, SERVICE_CONFIG_DELAYED_AUTO_START_INFO, reinterpret_cast<BYTE*>(&info),
                           sizeof info, &needed)) {
    return info.fDelayedAutostart != FALSE;
  }
  if (GetLastError() != ERROR_INVALID_LEVEL || !local) return false;
  DWORD value = 0, size = sizeof value;
  return RegGetValueW(HKEY_LOCAL_MACHINE, ServiceKeyPath(name).c_str(), kDelayedValue, RRF_RT_REG_DWORD, nullptr,
                      &value, &size) == ERROR_SUCCESS &&
         value != 0;
}

// With start= given: delayed-auto sets the delayed flag, every other start type clears it.
bool ApplyDelayedStart(SC_HANDLE service, const wchar_t* name, bool local, const ConfigOptions& options) {
  if (options.startType == SERVICE_NO_CHANGE) return true;
  return SetDelayedStart(service, name, local, options.delayed);
}

DWORD Config(SC_HANDLE manager, const wchar_t* name, bool local, int argc, wchar_t** argv) {
  ConfigOptions options;
  if (argc == 0) return Usage(nullptr);
  if (!ParseOptions(argc, argv, &options)) return Usage(L"Invalid option or value.");
  SC_HANDLE service = OpenServiceW(manager, name, SERVICE_CHANGE_CONFIG);
  if (!service) return Failed(L"OpenService", GetLastError());
  BOOL changed = ChangeServiceConfigW(service, options.serviceType, options.startType, options.errorControl,
                                      options.binaryPath, nullptr, nullptr,
                                      options.dependencies.empty() ? nullptr : options.dependencies.data(),
                                      options.account, options.password, options.displayName);
  DWORD error = changed ? 0 : GetLastError();
  const wchar_t* call = L"ChangeServiceConfig";
  if (changed && !ApplyDelayedStart(service, name, local, options)) {
    error = GetLastError();
    call = L"ChangeServiceConfig2";
  }
  CloseServiceHandle(service);
  if (error) return Failed(call, error);
  Print(L"[SC] ChangeServiceConfig SUCCESS\n");
  return 0;
}

DWORD Create(SC_HANDLE manager, const wchar_t* name, bool local, int argc, wchar_t** argv) {
  ConfigOptions options;
  if (!ParseOptions(argc, argv, &options) || !options.binaryPath) return Usage(L"Invalid option or value.");
  auto orDefault = [](DWORD value, DWORD fallback) { return value == SERVICE_NO_CHANGE ? fallback : value; };
  SC_HANDLE service = CreateServiceW(
      manager, name, options.displayName ? options.displayName : name, SERVICE_ALL_ACCESS,
      orDefault(options.serviceType, SERVICE_WIN32_OWN_PROCESS), orDefault(options.startType, SERVICE_DEMAND_START),
      orDefault(options.errorControl, SERVICE_ERROR_NORMAL), options.binaryPath, nullptr, nullptr,
      options.dependencies.empty() ? nullptr : options.dependencies.data(), options.account, options.password);
  if (!service) return Failed(L"CreateService", GetLastError());
  const bool delayedSet = !options.delayed || ApplyDelayedStart(service, name, local, options);
  const DWORD error = delayedSet ? 0 : GetLastError();
  CloseServiceHandle(service);
  if (!delayedSet) return Failed(L"ChangeServiceConfig2", error);
  Print(L"[SC] CreateService SUCCESS\n");
  return 0;
}

// The dependencies, NUL-separated with an extra NUL at the end. Wine's QueryServiceConfigW returns
// none even where the service's key lists some (it keeps them in "DependOnService", as Windows
// does): on the local computer the stand-in then reads that value.
std::vector<wchar_t> Dependencies(const QUERY_SERVICE_CONFIGW& config, const wchar_t* name, bool local) {
  std::vector<wchar_t> list;
  for (const wchar_t* d = config.lpDependencies; d && *d; d += wcslen(d) + 1) list.insert(list.end(), d, d + wcslen(d) + 1);
  if (list.empty() && local) {
    DWORD size = 0;
    const std::wstring key = ServiceKeyPath(name);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"DependOnService", RRF_RT_REG_MULTI_SZ, nullptr, nullptr,
                     &size) == ERROR_SUCCESS &&
        size > 0) {
      list.resize(size / sizeof(wchar_t) + 1, L'\0');
      RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"DependOnService", RRF_RT_REG_MULTI_SZ, nullptr, list.data(),
                   &size);
    }
  }
  list.push_back(L'\0');
  list.push_back(L'\0');
  return list;
}

// "AUTO_START  (DELAYED)" when the delayed flag is set.
std::wstring StartTypeText(SC_HANDLE service, const wchar_t* name, bool local, DWORD startType) {
  std::wstring text = WordOf(kStartTypeNames, 5, startType);
  if (startType == SERVICE_AUTO_START && DelayedStart(service, name, local)) text += L"  (DELAYED)";
  return text;
}

DWORD QueryConfig(SC_HANDLE manager, const wchar_t* name, bool local) {
  SC_HANDLE service = OpenServiceW(manager, name, SERVICE_QUERY_CONFIG);
  if (!service) return Failed(L"OpenService", GetLastError());
  DWORD needed = 0;
  QueryServiceConfigW(service, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed ? needed : sizeof(QUERY_SERVICE_CONFIGW));
  auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
  BOOL queried = QueryServiceConfigW(service, config, static_cast<DWORD>(buffer.size()), &needed);
  DWORD error = queried ? 0 : GetLastError();
  const std::wstring startType = queried ? StartTypeText(service, name, local, config->dwStartType) : L"";
  CloseServiceHandle(service);
  if (!queried) return Failed(L"QueryServiceConfig", error);
  auto text = [](const wchar_t* value) { return value ? value : L""; };
  Print(L"[SC] QueryServiceConfig SUCCESS\n\nSERVICE_NAME: %ls\n", name);
  Print(L"        TYPE               : %lx  %ls\n", config->dwServiceType,
        WordOf(kServiceTypeNames, 4, config->dwServiceType));
  Print(L"        START_TYPE         : %lu   %ls\n", config->dwStartType, startType.c_str());
  Print(L"        ERROR_CONTROL      : %lu   %ls\n", config->dwErrorControl,
        UpperCase(WordOf(kErrorControls, 4, config->dwErrorControl)).c_str());
  Print(L"        BINARY_PATH_NAME   : %ls\n", text(config->lpBinaryPathName));
  Print(L"        LOAD_ORDER_GROUP   : %ls\n", text(config->lpLoadOrderGroup));
  Print(L"        TAG                : %lu\n", config->dwTagId);
  Print(L"        DISPLAY_NAME       : %ls\n", text(config->lpDisplayName));
  // One dependency a line, the later ones under the first.
  const wchar_t* label = L"        DEPENDENCIES       : ";
  const std::vector<wchar_t> dependencies = Dependencies(*config, name, local);
  const wchar_t* dependency = dependencies.data();
  if (!*dependency) Print(L"%ls\n", label);
  for (; *dependency; dependency += wcslen(dependency) + 1) {
    Print(L"%ls%ls\n", label, dependency);
    label = L"                           : ";
  }
  Print(L"        SERVICE_START_NAME : %ls\n", text(config->lpServiceStartName));
  return 0;
}

// query and queryex without a name: every service of the type and state asked for, by default the
// active Win32 services, as the real tool lists them.
DWORD Enumerate(SC_HANDLE manager, bool extended, int argc, wchar_t** argv) {
  DWORD type = SERVICE_WIN32, state = SERVICE_ACTIVE;
  for (int i = 0; i < argc; i += 2) {
    bool known = i + 1 < argc;
    if (known && _wcsicmp(argv[i], L"type=") == 0) {
      known = ValueOf(kEnumTypes, 7, argv[i + 1], &type);
    } else if (known && _wcsicmp(argv[i], L"state=") == 0) {
      known = ValueOf(kEnumStates, 3, argv[i + 1], &state);
    } else {
      known = false;
    }
    if (!known) return Usage(L"Invalid option or value.");
  }
  DWORD needed = 0, count = 0, resume = 0;
  std::vector<BYTE> buffer;
  for (;;) {
    if (EnumServicesStatusExW(manager, SC_ENUM_PROCESS_INFO, type, state, buffer.data(),
                              static_cast<DWORD>(buffer.size()), &needed, &count, &resume, nullptr)) {
      break;
    }
    if (GetLastError() != ERROR_MORE_DATA) return Failed(L"EnumServicesStatusEx", GetLastError());
    buffer.resize(buffer.size() + needed);
    resume = 0;
  }
  const auto* services = reinterpret_cast<const ENUM_SERVICE_STATUS_PROCESSW*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    PrintStatus(services[i].lpServiceName, services[i].lpDisplayName, services[i].ServiceStatusProcess, extended);
  }
  return 0;
}

// start, stop, pause, continue, interrogate, query, queryex and delete: one call on an opened service.
DWORD Control(SC_HANDLE manager, const wchar_t* command, const wchar_t* name) {
  struct Command {
    const wchar_t* word;
    DWORD access;
    DWORD control;  // 0: not a control
  };
  static const Command kCommands[] = {
      {L"query", SERVICE_QUERY_STATUS, 0},
      {L"queryex", SERVICE_QUERY_STATUS, 0},
      {L"start", SERVICE_START | SERVICE_QUERY_STATUS, 0},
      {L"delete", DELETE, 0},
      {L"stop", SERVICE_STOP, SERVICE_CONTROL_STOP},
      {L"pause", SERVICE_PAUSE_CONTINUE, SERVICE_CONTROL_PAUSE},
      {L"continue", SERVICE_PAUSE_CONTINUE, SERVICE_CONTROL_CONTINUE},
      {L"interrogate", SERVICE_INTERROGATE, SERVICE_CONTROL_INTERROGATE},
  };
  const Command* chosen = nullptr;
  for (const Command& c : kCommands) {
    if (_wcsicmp(c.word, command) == 0) chosen = &c;
  }
  if (!chosen) return Usage(L"Unrecognized command");
  SC_HANDLE service = OpenServiceW(manager, name, chosen->access);
  if (!service) return Failed(L"OpenService", GetLastError());
  SERVICE_STATUS control = {};
  SERVICE_STATUS_PROCESS status = {};
  DWORD error = 0;
  const wchar_t* call = L"";
  const bool withProcess = _wcsicmp(command, L"queryex") == 0 || _wcsicmp(command, L"start") == 0;
  if (chosen->control) {
    call = L"ControlService";
    if (ControlService(service, chosen->control, &control)) {
      status = WithoutProcess(control);
    } else {
      error = GetLastError();
    }
  } else if (_wcsicmp(command, L"start") == 0) {
    call = L"StartService";
    if (!StartServiceW(service, 0, nullptr) || !QueryStatusEx(service, &status)) error = GetLastError();
  } else if (_wcsicmp(command, L"delete") == 0) {
    call = L"DeleteService";
    if (!DeleteService(service)) error = GetLastError();
  } else {
    call = L"QueryServiceStatus";
    if (!QueryStatusEx(service, &status)) error = GetLastError();
  }
  CloseServiceHandle(service);
  if (error) return Failed(call, error);
  if (_wcsicmp(command, L"delete") == 0) {
    Print(L"[SC] DeleteService SUCCESS\n");
  } else {
    PrintStatus(name, nullptr, status, withProcess);
  }
  return 0;
}

DWORD Description(SC_HANDLE manager, const wchar_t* name, const wchar_t* text) {
  SC_HANDLE service = OpenServiceW(manager, name, SERVICE_CHANGE_CONFIG);
  if (!service) return Failed(L"OpenService", GetLastError());
  SERVICE_DESCRIPTIONW description = {const_cast<wchar_t*>(text)};
  BOOL changed = ChangeServiceConfig2W(service, SERVICE_CONFIG_DESCRIPTION, &description);
  DWORD error = changed ? 0 : GetLastError();
  CloseServiceHandle(service);
  if (!changed) return Failed(L"ChangeServiceConfig2", error);
  Print(L"[SC] ChangeServiceConfig2 SUCCESS\n");
  return 0;
}

bool IsOption(const wchar_t* word) {
  const size_t length = wcslen(word);
  return length > 1 && word[length - 1] == L'=';
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int at = 1;
  const wchar_t* server = nullptr;
  if (at < argc && argv[at][0] == L'\\' && argv[at][1] == L'\\') server = argv[at++];
  if (at >= argc) return static_cast<int>(Usage(nullptr));
  const wchar_t* command = argv[at];
  const bool lists = (_wcsicmp(command, L"query") == 0 || _wcsicmp(command, L"queryex") == 0) &&
                     (argc - at < 2 || IsOption(argv[at + 1]));
  if (!lists && argc - at < 2) return static_cast<int>(Usage(nullptr));
  const wchar_t* name = lists ? nullptr : argv[at + 1];
  const bool creates = _wcsicmp(command, L"create") == 0;
  const DWORD access =
      creates ? SC_MANAGER_CREATE_SERVICE : lists ? SC_MANAGER_CONNECT | SC_MANAGER_ENUMERATE_SERVICE : SC_MANAGER_CONNECT;
  SC_HANDLE manager = OpenSCManagerW(server, nullptr, access);
  if (!manager) return static_cast<int>(Failed(L"OpenSCManager", GetLastError()));
  DWORD result;
  if (lists) {
    result = Enumerate(manager, _wcsicmp(command, L"queryex") == 0, argc - at - 1, argv + at + 1);
  } else if (_wcsicmp(command, L"config") == 0) {
    result = Config(manager, name, !server, argc - at - 2, argv + at + 2);
  } else if (creates) {
    result = Create(manager, name, !server, argc - at - 2, argv + at + 2);
  } else if (_wcsicmp(command, L"qc") == 0) {
    result = QueryConfig(manager, name, !server);
  } else if (_wcsicmp(command, L"description") == 0) {
    result = Description(manager, name, at + 2 < argc ? argv[at + 2] : L"");
  } else {
    result = Control(manager, command, name);
  }
  CloseServiceHandle(manager);
  return static_cast<int>(result);
}
