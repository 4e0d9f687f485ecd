// The watcher on this computer's own adapters: start, stop and what it leaves behind.
#include "common/link_watcher.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/adapter_table.h"
#include "common/link_lock.h"
#include "common/ndis_sink.h"

namespace {

int ThreadsOfThisProcess() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

// The Linux carrier of an interface as the kernel states it: 1, 0, or -1 when it cannot be read.
int LinuxCarrier(const std::wstring& name) {
  FILE* file = _wfopen((L"Z:\\sys\\class\\net\\" + name + L"\\carrier").c_str(), L"rb");
  if (!file) return -1;
  int c = fgetc(file);
  fclose(file);
  return c == '1' ? 1 : 0;
}

class LinkWatcherTest : public testing::Test {
 protected:
  void SetUp() override { g_AdapterTable.EnumerateWmi(); }
  void TearDown() override {
    StopLinkDetection();
    g_AdapterTable.Clear();
  }
};

TEST_F(LinkWatcherTest, StartsWithTheLinkOfEveryAdapter) {
  ASSERT_GT(g_AdapterTable.Count(), 0);
  ASSERT_EQ(StartLinkDetection(), 0);
  EXPECT_TRUE(LinkDetectionRunning());
  for (int i = 0; i < g_AdapterTable.Count(); ++i) {
    const AdapterTableEntry& e = g_AdapterTable.Entry(i);
    int carrier = LinuxCarrier(e.Name);
    if (carrier < 0) continue;  // not a Linux interface: the system's own events keep it
    EXPECT_EQ(e.link, carrier) << testing::PrintToString(std::wstring(e.Name));
  }
}

TEST_F(LinkWatcherTest, StopLeavesNoSinkNoLockAndNoThread) {
  ASSERT_EQ(StartLinkDetection(), 0);
  StopLinkDetection();  // the first run may leave WMI's own threads for good
  const int threads = ThreadsOfThisProcess();
  ASSERT_GT(threads, 0);
  for (int round = 0; round < 50; ++round) {
    ASSERT_EQ(StartLinkDetection(), 0) << round;
    EXPECT_EQ(StartLinkDetection(), 0) << "a second start while it runs";
    EXPECT_EQ(CNdisSink::LiveCount(), 1) << round;
    StopLinkDetection();
    EXPECT_FALSE(LinkDetectionRunning());
    EXPECT_FALSE(LinkLockCreated());
    EXPECT_EQ(CNdisSink::LiveCount(), 0) << round;
  }
  EXPECT_EQ(ThreadsOfThisProcess(), threads);
  StopLinkDetection();  // once more, with nothing to stop
}

TEST_F(LinkWatcherTest, QueriesWithoutServicesFail) {
  EXPECT_EQ(QueryMediaConnectStatus(nullptr), -1);
  auto* sink = new CNdisSink();
  EXPECT_EQ(SubscribeMediaEvents(sink, nullptr), -1);
  EXPECT_EQ(SubscribeMediaEvents(nullptr, nullptr), -1);
  sink->Release();
}

}  // namespace
