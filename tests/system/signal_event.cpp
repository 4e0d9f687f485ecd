// Signals a named event that another process created, as the interactive program signals the
// service's switches: signal_event NAME. Exit 0 when signalled, 1 when the event cannot be opened.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fwprintf(stderr, L"usage: signal_event NAME\n");
    return 2;
  }
  HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[1]);
  if (!event) {
    std::wprintf(L"cannot open %ls: %lu\n", argv[1], GetLastError());
    return 1;
  }
  BOOL signalled = SetEvent(event);
  CloseHandle(event);
  return signalled ? 0 : 1;
}
