// A benchmark, not a test: the CPU time of the Connections dialog's list refresh with 4,096
// application rows (one connection each, process names given without asking the system), the
// dialog open as a real window.
//   scripts/wine-run --root build/wine build/tests/monitor/connections_benchmark.exe [REFRESHES]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "monitor/sts_conn.h"
#include "shell/dialog_ids.h"
#include "tests/shell/modal_script.h"

namespace {

std::string NumberedName(uint32_t pid) { return "app" + std::to_string(pid) + ".exe"; }

double CpuMs() {
  FILETIME created, exited, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e4; };
  return ms(kernel) + ms(user);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int refreshes = argc > 1 ? _wtoi(argv[1]) : 10;
  CStsConn dialog;
  dialog.processName = NumberedName;
  ConnTable* table = dialog.Table();
  const uint8_t local[4] = {10, 1, 0, 5};
  for (uint32_t i = 0; i < kProcessSlots; ++i) {
    const uint8_t remote[4] = {10, 9, static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)};
    table->AddIpv4Connection(local, static_cast<uint16_t>(10000 + i), remote, 443, 100 + i, true);
  }
  double perRefresh = 0;
  int rows = 0;
  RunLater(300, [&] {
    const double start = CpuMs();
    for (int i = 0; i < refreshes; ++i) dialog.RefreshLists(true);
    perRefresh = (CpuMs() - start) / refreshes;
    rows = static_cast<int>(::SendMessageW(dialog.GetDlgItemHandle(IDC_CONN_APP_LIST), LVM_GETITEMCOUNT, 0, 0));
    dialog.EndDialog(IDOK);
  });
  dialog.DoModal();
  std::printf("rows %d refreshes %d cpu_ms_per_refresh %.1f\n", rows, refreshes, perRefresh);
  return rows == static_cast<int>(kProcessSlots) ? 0 : 1;
}
