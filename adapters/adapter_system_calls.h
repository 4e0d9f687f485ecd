// The platform calls of the adapter layer that unit tests swap: process creation, waiting, and the
// IP Helper's adapter list. System tests run the real ones.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

struct AdapterSystemCalls {
  BOOL(WINAPI* createProcess)(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID,
                              LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION) = ::CreateProcessW;
  void(WINAPI* sleep)(DWORD) = ::Sleep;
  ULONG(WINAPI* getAdaptersInfo)(PIP_ADAPTER_INFO, PULONG) = ::GetAdaptersInfo;
};

extern AdapterSystemCalls g_AdapterSystemCalls;
