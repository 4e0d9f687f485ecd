// The platform-facing pieces on Wine's own registry and files, with process creation recorded:
// the command runner's buffer, the snapshot reader's terminator, the binding list round trip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/adapter_system_calls.h"
#include "adapters/command_runner.h"
#include "adapters/protocol_bindings.h"
#include "adapters/upper_bindings.h"
#include "tests/common/temp_folder.h"

namespace {

std::vector<std::wstring> g_started;

BOOL WINAPI RecordProcess(LPCWSTR, LPWSTR commandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD,
                          LPVOID, LPCWSTR, LPSTARTUPINFOW startup, LPPROCESS_INFORMATION) {
  g_started.emplace_back(commandLine);
  EXPECT_EQ(static_cast<DWORD>(STARTF_USESHOWWINDOW), startup->dwFlags);
  EXPECT_EQ(SW_HIDE, startup->wShowWindow);
  // Writes into its buffer as process creation may; the caller's line must not change.
  commandLine[0] = L'#';
  ::SetLastError(ERROR_FILE_NOT_FOUND);
  return FALSE;
}

TEST(CommandRunner, RefusesLinesItsBufferCannotHold) {
  const auto saved = g_AdapterSystemCalls;
  g_AdapterSystemCalls.createProcess = RecordProcess;
  struct Case {
    const char* what;
    size_t length;
    bool started;
  } cases[] = {{"259 characters", 259, true}, {"260 characters", 260, false}, {"600 characters", 600, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    g_started.clear();
    const std::wstring line = L"netsh " + std::wstring(c.length - 6, L'x');
    EXPECT_EQ(0u, RunCommandAndWait(line.c_str()));
    ASSERT_EQ(c.started ? 1u : 0u, g_started.size());
    if (c.started) {
      EXPECT_EQ(line, g_started[0]);
    }
    EXPECT_EQ(L'n', line[0]);
  }
  g_AdapterSystemCalls = saved;
}

TEST(CommandRunner, RunsARealToolAndGivesItsExitCode) {
  EXPECT_EQ(7u, RunCommandAndWait(L"cmd.exe /c exit 7"));
  EXPECT_EQ(0u, RunCommandAndWait(L"no-such-tool-anywhere.exe"));
}

TEST(BindingSnapshot, ReadsAtMostItsBufferLessTheTerminator) {
  TempFolder folder;
  struct Case {
    const char* what;
    size_t units;
    size_t read;
  } cases[] = {{"small", 40, 40}, {"exactly the text limit", 2048, 2048}, {"longer than the buffer", 2600, 2048}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes;
    for (size_t i = 0; i < c.units; ++i) bytes += std::string("a\0", 2);
    const std::wstring file = folder.WriteBytes(L"savebindprot.txt", bytes);
    EXPECT_EQ(c.read, ReadBindingSnapshot(file).size());
  }
  EXPECT_TRUE(ReadBindingSnapshot(folder.File(L"missing.txt")).empty());
}

TEST(UpperBindingsRegistry, WrittenAndReadBack) {
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kProtocolServiceKey);
  HKEY service = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kProtocolServiceKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &service, nullptr));
  const wchar_t guids[3][64] = {L"{000000C8-0000-0000-0000-4E6574446576}", L"{000000C9-0000-0000-0000-4E6574446576}",
                                L"{000000CA-0000-0000-0000-4E6574446576}"};
  const std::wstring physical = L"{00000002-0000-0000-0000-4E6574446576}";
  ASSERT_TRUE(WriteUpperBindings(physical, 3, guids, service));

  wchar_t readPhysical[64] = {};
  wchar_t entries[5][64] = {};
  int count = -1;
  ASSERT_TRUE(ReadUpperBindings(readPhysical, entries, &count));
  EXPECT_EQ(physical, readPhysical);
  ASSERT_EQ(3, count);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(std::wstring(L"\\Device\\") + guids[i], entries[i]);
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kProtocolServiceKey);

  EXPECT_FALSE(ReadUpperBindings(readPhysical, entries, &count)) << "no binding list at all";
  EXPECT_EQ(0, count);
}

TEST(UpperBindingsRegistry, NoServiceKeyIsAFailure) {
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kProtocolServiceKey);
  HKEY service = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM", 0, KEY_READ, &service));
  const wchar_t guids[1][64] = {L"{000000C8-0000-0000-0000-4E6574446576}"};
  EXPECT_FALSE(WriteUpperBindings(L"{00000002-0000-0000-0000-4E6574446576}", 1, guids, service));
}

}  // namespace
