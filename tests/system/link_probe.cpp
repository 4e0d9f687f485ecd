// Runs the adapter table and the link-status watcher as a program does, and prints what they see:
//   adapter <index> <name> <mac>     once per table entry
//   watching <StartLinkDetection result>
//   link <name> <0|1>                at start and on every change of a link byte
//   stopped
// It ends when the stop file (first argument) appears, or after the given seconds (second, default 60).
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "common/adapter_table.h"
#include "common/link_watcher.h"

int wmain(int argc, wchar_t** argv) {
  const wchar_t* stopFile = argc > 1 ? argv[1] : nullptr;
  int seconds = argc > 2 ? _wtoi(argv[2]) : 60;

  if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 2;
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                       RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
  g_AdapterTable.EnumerateWmi();
  for (int i = 0; i < g_AdapterTable.Count(); ++i) {
    const AdapterTableEntry& e = g_AdapterTable.Entry(i);
    std::wprintf(L"adapter %d %ls %02x:%02x:%02x:%02x:%02x:%02x\n", e.Index, e.Name, e.Mac[0], e.Mac[1],
                 e.Mac[2], e.Mac[3], e.Mac[4], e.Mac[5]);
  }
  int started = StartLinkDetection();
  std::wprintf(L"watching %d\n", started);
  std::fflush(stdout);

  std::vector<int> shown(g_AdapterTable.Count(), -1);
  for (int tick = 0; tick < seconds * 20; ++tick) {
    for (int i = 0; i < g_AdapterTable.Count(); ++i) {
      int link = g_AdapterTable.Entry(i).link.load();
      if (link == shown[i]) continue;
      shown[i] = link;
      std::wprintf(L"link %ls %d\n", g_AdapterTable.Entry(i).Name, link);
      std::fflush(stdout);
    }
    if (stopFile && GetFileAttributesW(stopFile) != INVALID_FILE_ATTRIBUTES) break;
    Sleep(50);
  }
  StopLinkDetection();
  CoUninitialize();
  std::wprintf(L"stopped\n");
  std::fflush(stdout);
  return started == 0 ? 0 : 1;
}
