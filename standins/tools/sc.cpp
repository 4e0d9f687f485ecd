// sc.exe for Wine prefixes: Wine's own has no config, qc, pause, continue or interrogate, and
// exits 1 without a word when asked for them. This one does every command the system and its
// tests use through the service control manager, and exits with the Win32 error code.
//   sc [\\server] query|start|stop|pause|continue|interrogate|qc|delete NAME
//   sc [\\server] config|create NAME [start= X] [binPath= X] [DisplayName= X] [type= X] [error= X]
//                                     [obj= X] [password= X] [depend= A/B]
//   sc [\\server] description NAME TEXT
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Named {
  const wchar_t* word;
  DWORD value;
};

const Named kStartTypes[] = {{L"boot", SERVICE_BOOT_START}, {L"system", SERVICE_SYSTEM_START},
                             {L"auto", SERVICE_AUTO_START}, {L"demand", SERVICE_DEMAND_START},
                             {L"disabled", SERVICE_DISABLED}};
const Named kServiceTypes[] = {{L"own", SERVICE_WIN32_OWN_PROCESS}, {L"share", SERVICE_WIN32_SHARE_PROCESS},
                               {L"kernel", SERVICE_KERNEL_DRIVER}, {L"filesys", SERVICE_FILE_SYSTEM_DRIVER}};
// How the type reads in query and qc.
const Named kServiceTypeNames[] = {{L"WIN32_OWN_PROCESS", SERVICE_WIN32_OWN_PROCESS},
                                   {L"WIN32_SHARE_PROCESS", SERVICE_WIN32_SHARE_PROCESS},
                                   {L"KERNEL_DRIVER", SERVICE_KERNEL_DRIVER},
                                   {L"FILE_SYSTEM_DRIVER", SERVICE_FILE_SYSTEM_DRIVER}};
const Named kErrorControls[] = {{L"ignore", SERVICE_ERROR_IGNORE}, {L"normal", SERVICE_ERROR_NORMAL},
                                {L"severe", SERVICE_ERROR_SEVERE}, {L"critical", SERVICE_ERROR_CRITICAL}};

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
  std::wprintf(L"[SC] %ls FAILED %lu:\n\n%ls\n", call, error, text ? text : L"");
  LocalFree(text);
  return error;
}

void PrintStatus(const wchar_t* name, const SERVICE_STATUS& status) {
  std::wprintf(L"\nSERVICE_NAME: %ls\n", name);
  std::wprintf(L"        TYPE               : %lx  %ls\n", status.dwServiceType,
               WordOf(kServiceTypeNames, 4, status.dwServiceType));
  std::wprintf(L"        STATE              : %lu  %ls\n", status.dwCurrentState, StateName(status.dwCurrentState));
  std::wstring accepts;
  accepts += status.dwControlsAccepted & SERVICE_ACCEPT_STOP ? L"STOPPABLE" : L"NOT_STOPPABLE";
  accepts += status.dwControlsAccepted & SERVICE_ACCEPT_PAUSE_CONTINUE ? L", PAUSABLE" : L", NOT_PAUSABLE";
  accepts += status.dwControlsAccepted & SERVICE_ACCEPT_SHUTDOWN ? L", ACCEPTS_SHUTDOWN" : L", IGNORES_SHUTDOWN";
  std::wprintf(L"                                (%ls)\n", accepts.c_str());
  std::wprintf(L"        WIN32_EXIT_CODE    : %lu  (0x%lx)\n", status.dwWin32ExitCode, status.dwWin32ExitCode);
  std::wprintf(L"        SERVICE_EXIT_CODE  : %lu  (0x%lx)\n", status.dwServiceSpecificExitCode,
               status.dwServiceSpecificExitCode);
  std::wprintf(L"        CHECKPOINT         : 0x%lx\n", status.dwCheckPoint);
  std::wprintf(L"        WAIT_HINT          : 0x%lx\n", status.dwWaitHint);
}

// The "key= value" options of config and create.
struct ConfigOptions {
  DWORD serviceType = SERVICE_NO_CHANGE;
  DWORD startType = SERVICE_NO_CHANGE;
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
    if (i + 1 >= argc) {
      std::wprintf(L"[SC] option %ls has no value\n", key);
      return false;
    }
    const wchar_t* value = argv[i + 1];
    bool known = true;
    if (_wcsicmp(key, L"start=") == 0) {
      known = ValueOf(kStartTypes, 5, value, &options->startType);
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
    if (!known) {
      std::wprintf(L"[SC] unknown option or value: %ls %ls\n", key, value);
      return false;
    }
  }
  return true;
}

DWORD Config(SC_HANDLE manager, const wchar_t* name, int argc, wchar_t** argv) {
  ConfigOptions options;
  if (!ParseOptions(argc, argv, &options)) return ERROR_INVALID_PARAMETER;
  SC_HANDLE service = OpenServiceW(manager, name, SERVICE_CHANGE_CONFIG);
  if (!service) return Failed(L"OpenService", GetLastError());
  BOOL changed = ChangeServiceConfigW(service, options.serviceType, options.startType, options.errorControl,
                                      options.binaryPath, nullptr, nullptr,
                                      options.dependencies.empty() ? nullptr : options.dependencies.data(),
                                      options.account, options.password, options.displayName);
  DWORD error = changed ? 0 : GetLastError();
  CloseServiceHandle(service);
  if (!changed) return Failed(L"ChangeServiceConfig", error);
  std::wprintf(L"[SC] ChangeServiceConfig SUCCESS\n");
  return 0;
}

DWORD Create(SC_HANDLE manager, const wchar_t* name, int argc, wchar_t** argv) {
  ConfigOptions options;
  if (!ParseOptions(argc, argv, &options)) return ERROR_INVALID_PARAMETER;
  auto orDefault = [](DWORD value, DWORD fallback) { return value == SERVICE_NO_CHANGE ? fallback : value; };
  SC_HANDLE service = CreateServiceW(
      manager, name, options.displayName ? options.displayName : name, SERVICE_ALL_ACCESS,
      orDefault(options.serviceType, SERVICE_WIN32_OWN_PROCESS), orDefault(options.startType, SERVICE_DEMAND_START),
      orDefault(options.errorControl, SERVICE_ERROR_NORMAL), options.binaryPath, nullptr, nullptr,
      options.dependencies.empty() ? nullptr : options.dependencies.data(), options.account, options.password);
  if (!service) return Failed(L"CreateService", GetLastError());
  CloseServiceHandle(service);
  std::wprintf(L"[SC] CreateService SUCCESS\n");
  return 0;
}

DWORD QueryConfig(SC_HANDLE manager, const wchar_t* name) {
  SC_HANDLE service = OpenServiceW(manager, name, SERVICE_QUERY_CONFIG);
  if (!service) return Failed(L"OpenService", GetLastError());
  DWORD needed = 0;
  QueryServiceConfigW(service, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed ? needed : sizeof(QUERY_SERVICE_CONFIGW));
  auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
  BOOL queried = QueryServiceConfigW(service, config, static_cast<DWORD>(buffer.size()), &needed);
  DWORD error = queried ? 0 : GetLastError();
  CloseServiceHandle(service);
  if (!queried) return Failed(L"QueryServiceConfig", error);
  auto text = [](const wchar_t* value) { return value ? value : L""; };
  std::wprintf(L"[SC] QueryServiceConfig SUCCESS\n\nSERVICE_NAME: %ls\n", name);
  std::wprintf(L"        TYPE               : %lx  %ls\n", config->dwServiceType,
               WordOf(kServiceTypeNames, 4, config->dwServiceType));
  std::wprintf(L"        START_TYPE         : %lu   %ls\n", config->dwStartType,
               (UpperCase(WordOf(kStartTypes, 5, config->dwStartType)) + L"_START").c_str());
  std::wprintf(L"        ERROR_CONTROL      : %lu   %ls\n", config->dwErrorControl,
               UpperCase(WordOf(kErrorControls, 4, config->dwErrorControl)).c_str());
  std::wprintf(L"        BINARY_PATH_NAME   : %ls\n", text(config->lpBinaryPathName));
  std::wprintf(L"        LOAD_ORDER_GROUP   : %ls\n", text(config->lpLoadOrderGroup));
  std::wprintf(L"        TAG                : %lu\n", config->dwTagId);
  std::wprintf(L"        DISPLAY_NAME       : %ls\n", text(config->lpDisplayName));
  std::wprintf(L"        DEPENDENCIES       :");
  for (const wchar_t* d = config->lpDependencies; d && *d; d += wcslen(d) + 1) std::wprintf(L" %ls", d);
  std::wprintf(L"\n        SERVICE_START_NAME : %ls\n", text(config->lpServiceStartName));
  return 0;
}

// start, stop, pause, continue, interrogate, query and delete: one call on an opened service.
DWORD Control(SC_HANDLE manager, const wchar_t* command, const wchar_t* name) {
  struct Command {
    const wchar_t* word;
    DWORD access;
    DWORD control;  // 0: not a control
  };
  static const Command kCommands[] = {
      {L"query", SERVICE_QUERY_STATUS, 0},
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
  if (!chosen) {
    std::wprintf(L"[SC] unknown command: %ls\n", command);
    return ERROR_INVALID_PARAMETER;
  }
  SC_HANDLE service = OpenServiceW(manager, name, chosen->access);
  if (!service) return Failed(L"OpenService", GetLastError());
  SERVICE_STATUS status = {};
  DWORD error = 0;
  const wchar_t* call = L"";
  if (chosen->control) {
    call = L"ControlService";
    if (!ControlService(service, chosen->control, &status)) error = GetLastError();
  } else if (_wcsicmp(command, L"start") == 0) {
    call = L"StartService";
    if (!StartServiceW(service, 0, nullptr) || !QueryServiceStatus(service, &status)) error = GetLastError();
  } else if (_wcsicmp(command, L"delete") == 0) {
    call = L"DeleteService";
    if (!DeleteService(service)) error = GetLastError();
  } else {
    call = L"QueryServiceStatus";
    if (!QueryServiceStatus(service, &status)) error = GetLastError();
  }
  CloseServiceHandle(service);
  if (error) return Failed(call, error);
  if (_wcsicmp(command, L"delete") == 0) {
    std::wprintf(L"[SC] DeleteService SUCCESS\n");
  } else {
    PrintStatus(name, status);
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
  std::wprintf(L"[SC] ChangeServiceConfig2 SUCCESS\n");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int at = 1;
  const wchar_t* server = nullptr;
  if (at < argc && argv[at][0] == L'\\' && argv[at][1] == L'\\') server = argv[at++];
  if (argc - at < 2) {
    std::wprintf(L"usage: sc [\\\\server] command service [options]\n");
    return ERROR_INVALID_PARAMETER;
  }
  const wchar_t* command = argv[at];
  const wchar_t* name = argv[at + 1];
  const bool creates = _wcsicmp(command, L"create") == 0;
  SC_HANDLE manager = OpenSCManagerW(server, nullptr, creates ? SC_MANAGER_CREATE_SERVICE : SC_MANAGER_CONNECT);
  if (!manager) return static_cast<int>(Failed(L"OpenSCManager", GetLastError()));
  DWORD result;
  if (_wcsicmp(command, L"config") == 0) {
    result = Config(manager, name, argc - at - 2, argv + at + 2);
  } else if (creates) {
    result = Create(manager, name, argc - at - 2, argv + at + 2);
  } else if (_wcsicmp(command, L"qc") == 0) {
    result = QueryConfig(manager, name);
  } else if (_wcsicmp(command, L"description") == 0) {
    result = Description(manager, name, at + 2 < argc ? argv[at + 2] : L"");
  } else {
    result = Control(manager, command, name);
  }
  CloseServiceHandle(manager);
  std::fflush(stdout);
  return static_cast<int>(result);
}
