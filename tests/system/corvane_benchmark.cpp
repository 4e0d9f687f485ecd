// Benchmark of Corvane.exe's start and end (not a test): for each round, the time from the
// process's creation to its main window being shown, the working set then, and the time from the
// system menu's Quit to the process's exit.
// Usage: corvane_benchmark PATH-OF-Corvane.exe [ROUNDS]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kTabControlId = 3001;
constexpr UINT kSysMenuQuit = 0x20;

struct Search {
  DWORD process;
  HWND found;
};

HWND ShownMainWindow(DWORD process) {
  Search search = {process, nullptr};
  ::EnumWindows([](HWND window, LPARAM param) -> BOOL {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != s->process || !::IsWindowVisible(window) || !::GetDlgItem(window, kTabControlId)) return TRUE;
    s->found = window;
    return FALSE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

double Ms(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: corvane_benchmark PATH-OF-Corvane.exe [ROUNDS]\n");
    return 2;
  }
  int rounds = argc > 2 ? _wtoi(argv[2]) : 5;
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  std::vector<double> starts, quits, workingSets;
  for (int round = 0; round < rounds; ++round) {
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER created, shown, quitAt, ended;
    ::QueryPerformanceCounter(&created);
    if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
      std::fprintf(stderr, "cannot start: %lu\n", ::GetLastError());
      return 1;
    }
    HWND main = nullptr;
    while (!(main = ShownMainWindow(process.dwProcessId))) {
      if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
        std::fprintf(stderr, "Corvane ended without a window (another instance running?)\n");
        return 1;
      }
    }
    ::QueryPerformanceCounter(&shown);
    ::Sleep(1500);  // let the start-up settle before the working set is read
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    ::GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory));
    ::QueryPerformanceCounter(&quitAt);
    ::PostMessageW(main, WM_SYSCOMMAND, kSysMenuQuit, 0);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::QueryPerformanceCounter(&ended);
    starts.push_back(Ms(created, shown, frequency));
    quits.push_back(Ms(quitAt, ended, frequency));
    workingSets.push_back(static_cast<double>(memory.WorkingSetSize) / 1024.0);
    std::printf("round %d: start to main window %.0f ms, quit to exit %.0f ms, working set %.0f KiB\n", round + 1,
                starts.back(), quits.back(), workingSets.back());
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ::Sleep(500);
  }
  std::printf("median of %d: start to main window %.0f ms, quit to exit %.0f ms, working set %.0f KiB\n", rounds,
              Median(starts), Median(quits), Median(workingSets));
  return 0;
}
