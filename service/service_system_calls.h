// The two calls through which the service talks to the outside while it runs: status reports to
// the control manager and entries in the event log. Tests put recorders in their place, since
// Wine's event log keeps nothing that could be read back.
#pragma once
#include <windows.h>

struct ServiceSystemCalls {
  BOOL(WINAPI* setServiceStatus)(SERVICE_STATUS_HANDLE, LPSERVICE_STATUS) = ::SetServiceStatus;
  BOOL(WINAPI* reportEvent)(HANDLE, WORD, WORD, DWORD, PSID, WORD, DWORD, LPCWSTR*, LPVOID) = ::ReportEventW;
};

extern ServiceSystemCalls g_ServiceSystemCalls;
