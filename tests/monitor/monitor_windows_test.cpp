// The Status page, the Connections and Log dialogs and the Routing page as real windows from each
// language library, fed by the driver channel over a stand-in device: the rows and sums after the
// driver's replies, the graph moving, the applications with their connections and bytes, the
// inbound requests in the Log dialog; each window saved as a PNG in English and Chinese.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "framework/message_pump.h"
#include "monitor/config_page.h"
#include "monitor/driver_channel.h"
#include "monitor/driver_layout.h"
#include "monitor/driver_reply_writer.h"
#include "monitor/status_page.h"
#include "monitor/sts_conn.h"
#include "shell/dialog_ids.h"
#include "shell/main_messages.h"
#include "tests/shell/lang_library.h"
#include "tests/shell/modal_script.h"
#include "tests/shell/page_host.h"
#include "tests/shell/scratch_folder.h"
#include "tests/shell/window_shot.h"

namespace {

constexpr DWORD kShown = 300;
constexpr DWORD kWatchdog = 20000;
const uint8_t kPrivateIp[4] = {192, 168, 2, 1};
const uint8_t kMacPrivate[6] = {2, 0x1A, 0, 0, 0, 1};
const uint8_t kMacOther[6] = {2, 0x1A, 0, 0, 0, 2};

// Two virtual adapters: the private one first, then one with an Internet gateway.
bool TwoAdapters(IpAdapterRecord* records, uint32_t* count, int) {
  records[0] = IpAdapterRecord{};
  records[1] = IpAdapterRecord{};
  CopyField(records[0].indexText, L"7");
  CopyField(records[0].ipv4, L"192.168.2.1");
  CopyField(records[1].indexText, L"8");
  CopyField(records[1].ipv4, L"10.1.0.5");
  CopyField(records[1].gateway, L"10.1.0.254");
  std::memcpy(records[0].mac, kMacPrivate, 6);
  std::memcpy(records[1].mac, kMacOther, 6);
  *count = 2;
  return true;
}

std::string FixedProcessName(uint32_t pid) { return pid == 4242 ? "tfapp.exe" : "unknown "; }

// The stand-in device: whatever replies the test put there last.
std::vector<uint8_t> g_traffic, g_ipv4, g_empty(16, 0);
HANDLE FakeOpen(const wchar_t*) { return reinterpret_cast<HANDLE>(1); }
void FakeClose(HANDLE) {}
bool FakeControl(HANDLE, DWORD code, void* buffer, DWORD size, DWORD* returned) {
  std::vector<uint8_t> reply;
  if (code == driver_layout::kGetTrafficSize) reply = WriteTrafficSizeReply(4096);
  else if (code == driver_layout::kGetFlowSizes) reply = WriteFlowSizesReply(65536, 65536);
  else if (code == driver_layout::kGetTraffic) reply = g_traffic;
  else if (code == driver_layout::kGetTcp4Flows) reply = g_ipv4;
  else reply = g_empty;
  *returned = static_cast<DWORD>(reply.size() < size ? reply.size() : size);
  std::memcpy(buffer, reply.data(), *returned);
  return true;
}
const DeviceCalls kFakeDevice = {FakeOpen, FakeControl, FakeClose};

void SetCounters(uint64_t privateSent, uint64_t privateReceived, uint64_t otherSent, uint64_t otherReceived) {
  std::vector<TrafficCounterRecord> records(2);
  std::memcpy(records[0].mac, kMacPrivate, 6);
  std::memcpy(records[1].mac, kMacOther, 6);
  records[0].counter[1] = privateSent;
  records[0].counter[5] = privateReceived;
  records[1].counter[1] = otherSent;
  records[1].counter[5] = otherReceived;
  g_traffic = WriteTrafficReply(records, 4096);
}

// What the main dialog's tick does for the Status page.
void Tick(DriverChannel& channel, CStatus& page) {
  channel.BeginTick();
  page.ZeroFigures();
  channel.PollTraffic(&page.m_traffic);
  if (page.m_resetRequest) {
    page.m_resetRequest = false;
    channel.ResetCounters();
    page.m_blankAverages = 1;
  }
  page.m_updating = true;
  page.UpdateTraffic(false);
  page.m_updating = false;
}

std::wstring ItemText(HWND list, int row, int column) {
  wchar_t text[256] = {};
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 256;
  ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

std::vector<std::wstring> Row(HWND list, int row, int columns) {
  std::vector<std::wstring> texts;
  for (int c = 0; c < columns; ++c) texts.push_back(ItemText(list, row, c));
  return texts;
}

int RowCount(HWND list) { return static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

void ChooseEntry(CDialog& dialog, int comboId, int entry) {
  HWND combo = dialog.GetDlgItemHandle(comboId);
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void SelectRow(HWND list, int row) {
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

class MonitorWindowsTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    library_ = UseLangLibrary(kLangLibraries[GetParam()]);
    ASSERT_NE(nullptr, library_);
    ASSERT_TRUE(folder_.Enter());
  }
  void TearDown() override {
    CancelPendingSteps();
    UseBuiltInTemplates();
    if (library_) ::FreeLibrary(library_);
  }
  std::wstring ShotName(const char* window) const {
    std::string name = std::string(window) + "_" + kLangLibraries[GetParam()].tag;
    return std::wstring(name.begin(), name.end());
  }
  HMODULE library_ = nullptr;
  ScratchFolder folder_;
};

TEST_P(MonitorWindowsTest, StatusRowsAndGraphFollowTheDriversCounters) {
  PageHost host;
  ASSERT_TRUE(host.Open());
  CStatus page;
  page.readAdapters = TwoAdapters;
  std::memcpy(page.m_privateIp, kPrivateIp, 4);
  ASSERT_TRUE(page.Create(IDD_STATUS_PAGE, &host.Tab()));
  host.Show(page);
  EXPECT_TRUE(host.Fits(page));
  HWND list = page.GetDlgItemHandle(IDC_STS_ADAPTER_LIST);
  ASSERT_EQ(4, RowCount(list));
  EXPECT_EQ((std::vector<std::wstring>{L"All", L"Internet", L"1 (Private)", L"2"}),
            (std::vector<std::wstring>{ItemText(list, 0, 0), ItemText(list, 1, 0), ItemText(list, 2, 0),
                                       ItemText(list, 3, 0)}));
  EXPECT_EQ(L"All", page.GetDlgItemText(IDC_STS_SELECTION));
  EXPECT_TRUE(page.m_resetRequest) << "selecting the first row starts a measurement";

  DriverChannel channel(kFakeDevice);
  channel.Open(false, nullptr, false);
  ASSERT_TRUE(channel.IsOpen());
  // The first tick resets the counters, the second is a first reading, the third has differences.
  SetCounters(1000, 2000, 10000, 20000);
  Tick(channel, page);
  EXPECT_EQ(L"", ItemText(list, 0, 3)) << "averages are blank in the tick of a reset";
  Tick(channel, page);
  EXPECT_EQ(L"0.00 K", ItemText(list, 0, 3)) << "and count from 0 after it";
  SetCounters(1000 + 4096, 2000 + 8192, 10000 + 40960, 20000 + 81920);
  Tick(channel, page);
  // K Bytes per second: the tick's bytes halved.
  EXPECT_EQ((std::vector<std::wstring>{L"All", L"22.00 K", L"44.00 K", L"11.00 K", L"22.00 K"}), Row(list, 0, 5));
  EXPECT_EQ((std::vector<std::wstring>{L"Internet", L"20.00 K", L"40.00 K", L"10.00 K", L"20.00 K"}), Row(list, 1, 5));
  EXPECT_EQ((std::vector<std::wstring>{L"1 (Private)", L"2.00 K", L"4.00 K", L"1.00 K", L"2.00 K"}), Row(list, 2, 5));
  EXPECT_EQ((std::vector<std::wstring>{L"2", L"20.00 K", L"40.00 K", L"10.00 K", L"20.00 K"}), Row(list, 3, 5));
  // The graph of "All": 22 + 44 kilobytes per second in its last point.
  ASSERT_FALSE(page.TotalGraph().Model().Series().empty());
  EXPECT_EQ(L"2 M", page.GetDlgItemText(IDC_STS_SCALE)) << "the scale never shows less than 2 M in total mode";
  ASSERT_FALSE(page.SentHistory().empty());
  EXPECT_EQ(45056u / 2, page.SentHistory().back());
  PumpMessagesFor(200);
  EXPECT_TRUE(SaveWindowPng(host.Window(), ShotName("status_page")));

  ChooseEntry(page, IDC_STS_UNIT, 0);
  EXPECT_EQ(L"22528", ItemText(list, 0, 1)) << "a unit change shows at once, in bytes per second";
  ChooseEntry(page, IDC_STS_FILTER, 2);
  ASSERT_EQ(1, RowCount(list));
  EXPECT_EQ((std::vector<std::wstring>{L"1 (Private)", L"2048", L"4096", L"1024", L"2048"}), Row(list, 0, 5));
  EXPECT_EQ(L"1 (Private)", page.GetDlgItemText(IDC_STS_SELECTION));
  ChooseEntry(page, IDC_STS_FILTER, 1);
  ASSERT_EQ(2, RowCount(list));
  SelectRow(list, 1);
  EXPECT_EQ(1, page.GraphSource()) << "the Internet list's first adapter is the second of the table";
  EXPECT_EQ(L"2 (Internet)", page.GetDlgItemText(IDC_STS_SELECTION));
  page.DestroyWindow();
}

TEST_P(MonitorWindowsTest, ConnectionsListApplicationsWithTheirFlowsAndTheLogItsRequests) {
  PageHost host;
  ASSERT_TRUE(host.Open());
  CStatus page;
  page.readAdapters = TwoAdapters;
  std::memcpy(page.m_privateIp, kPrivateIp, 4);
  ASSERT_TRUE(page.Create(IDD_STATUS_PAGE, &host.Tab()));
  host.Show(page);
  CStsConn& connections = page.Connections();
  connections.readAdapters = TwoAdapters;
  connections.processName = FixedProcessName;

  // The system's tables: one TCP connection of tfapp.exe; the driver: its flow and one flow that
  // no connection holds, and inbound requests to 3389 and 445.
  auto fillTable = [&] {
    ConnTable* table = connections.Table();
    table->Clear();
    const uint8_t local[4] = {10, 1, 0, 5}, remote[4] = {10, 9, 0, 1};
    table->AddIpv4Connection(local, 5000, remote, 443, 4242, true);
  };
  const uint32_t own = 0x0A010005, peer = 0x0A090001, asker = 0x0A090007;
  g_ipv4 = WriteIpv4FlowReply({{peer, own, 443, 5000, 8192, 16384, 0},
                               {0x0A090002, own, 80, 6000, 2048, 2048, 0},
                               {asker, own, 50000, 3389, 60, 0, driver_layout::kFlowFlagInboundRequest},
                               {asker, own, 50001, 445, 60, 0, driver_layout::kFlowFlagInboundRequest}},
                              65536);
  DriverChannel channel(kFakeDevice);
  // The log records go to a window of the test that hands them to the Log dialog, as the main
  // dialog does.
  static CLogs* logs = nullptr;
  logs = &connections.Logs();
  WNDCLASSW wc = {};
  wc.lpszClassName = L"tf_log_owner";
  wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == UM_LOG_RECORD) {
      logs->AddEntry(*reinterpret_cast<LogRecord*>(lp));
      ::HeapFree(::GetProcessHeap(), 0, reinterpret_cast<void*>(lp));
      return 1;
    }
    return ::DefWindowProcW(w, m, wp, lp);
  };
  ::RegisterClassW(&wc);
  HWND owner = ::CreateWindowW(L"tf_log_owner", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  channel.Open(true, owner, false);
  ASSERT_TRUE(channel.IsOpen());
  fillTable();
  channel.PollTcp4(connections.Table());
  EXPECT_EQ(2u, logs->Ring().Size()) << "one entry per inbound request";
  fillTable();
  channel.PollTcp4(connections.Table());
  EXPECT_EQ(2u, logs->Ring().Size()) << "the same requests within the minute are kept once";

  std::vector<std::vector<std::wstring>> apps, flows, logRows;
  std::wstring selected;
  RunLater(kShown, [&] {
    HWND appList = connections.GetDlgItemHandle(IDC_CONN_APP_LIST);
    for (int i = 0; i < RowCount(appList); ++i) apps.push_back(Row(appList, i, 5));
    for (int i = 0; i < RowCount(appList); ++i) {
      if (ItemText(appList, i, 0) == L"tfapp.exe") SelectRow(appList, i);
    }
    HWND connList = connections.GetDlgItemHandle(IDC_CONN_LIST);
    for (int i = 0; i < RowCount(connList); ++i) flows.push_back(Row(connList, i, 5));
    selected = connections.GetDlgItemText(IDC_CONN_APP_NAME);
    PumpMessagesFor(200);
    EXPECT_TRUE(SaveWindowPng(connections.GetSafeHwnd(), ShotName("connections_dialog")));
    RunLater(kShown, [&] {
      HWND logList = logs->GetDlgItemHandle(IDC_LOG_LIST);
      for (int i = 0; i < RowCount(logList); ++i) logRows.push_back(Row(logList, i, 3));
      PumpMessagesFor(200);
      EXPECT_TRUE(SaveWindowPng(logs->GetSafeHwnd(), ShotName("log_dialog")));
      ::PostMessageW(logs->GetDlgItemHandle(IDC_LOG_CLEAR), BM_CLICK, 0, 0);
      RunLater(200, [&] {
        EXPECT_EQ(0, RowCount(logs->GetDlgItemHandle(IDC_LOG_LIST))) << "Clear empties the list at once";
        logs->EndDialog(IDCANCEL);
        RunLater(100, [&] { connections.EndDialog(IDCANCEL); });
      });
    });
    ::PostMessageW(connections.GetDlgItemHandle(IDC_CONN_LOG), BM_CLICK, 0, 0);
  });
  RunLater(kWatchdog, [&] {
    if (logs->GetSafeHwnd()) logs->EndDialog(99);
    if (connections.GetSafeHwnd()) connections.EndDialog(99);
  });
  ::PostMessageW(page.GetDlgItemHandle(IDC_STS_CONNECTION), BM_CLICK, 0, 0);
  // The page's Connection button runs the dialog modally; wait for it to end.
  for (int i = 0; i < 200 && !(connections.GetSafeHwnd() == nullptr && !apps.empty()); ++i) PumpMessagesFor(50);
  CancelPendingSteps();

  // Bytes are those of one tick, per second; the unmatched flow under "[Not In List]".
  // Sorted by name: "[" comes before the letters.
  ASSERT_EQ(2u, apps.size());
  EXPECT_EQ((std::vector<std::wstring>{L"[Not In List]", L"1.06 K", L"1.00 K", L"3", L"65535"}), apps[0])
      << "the other flow and the two requests";
  EXPECT_EQ((std::vector<std::wstring>{L"tfapp.exe", L"4.00 K", L"8.00 K", L"1", L"4242"}), apps[1]);
  ASSERT_EQ(1u, flows.size());
  EXPECT_EQ((std::vector<std::wstring>{L"TcpIpv4", L"(2)10.1.0.5:5000", L"10.9.0.1:443", L"4.00 K", L"8.00 K"}),
            flows[0]);
  EXPECT_EQ(L"tfapp.exe, PID = 4242", selected);
  ASSERT_EQ(2u, logRows.size());
  EXPECT_EQ(L"10.9.0.7", logRows[0][1]);
  EXPECT_EQ(L"Remote Desktop Req", logRows[0][2]);
  EXPECT_EQ(L"CIFS Req", logRows[1][2]);
  EXPECT_EQ(16u, logRows[0][0].size()) << "yyyy,mm/dd,hh:mm: " << logRows[0][0];
  EXPECT_EQ(0u, logs->Ring().Size());
  channel.Close();
  ::DestroyWindow(owner);
  page.DestroyWindow();
}

TEST_P(MonitorWindowsTest, RoutingPageListsAdaptersAndNextGatewayWithoutRowsChangesNothing) {
  folder_.Write(L"DrvInstWanType.txt", "QVX_VER=1\r\nSTATIC_ONLY\r\n");
  folder_.Write(L"PppoeAdaptMacAddr.txt", "QVX_VER=1\r\n02-1A-00-00-00-09\r\n");
  PageHost host;
  ASSERT_TRUE(host.Open());
  CConfig page;
  page.m_noticeMs = 100;
  std::memcpy(page.m_privateIp, kPrivateIp, 4);
  ASSERT_TRUE(page.Create(IDD_ROUTING_PAGE, &host.Tab()));
  host.Show(page);
  EXPECT_TRUE(host.Fits(page));
  EXPECT_TRUE(page.StaticOnly());
  EXPECT_TRUE(page.HasPppoeMac());
  EXPECT_TRUE(::IsWindowVisible(page.GetDlgItemHandle(IDC_RT_EDIT_STATIC_IP))) << "static environments edit";
  HWND list = page.GetDlgItemHandle(IDC_RT_ADAPTER_LIST);
  // This computer has no virtual adapter: the list is empty and Next gateway changes nothing.
  EXPECT_EQ(0, RowCount(list));
  ::SendMessageW(page.GetDlgItemHandle(IDC_RT_NEXT_GATEWAY), BM_CLICK, 0, 0);
  EXPECT_EQ(0, page.NextGatewayIndex());
  ::SendMessageW(page.GetDlgItemHandle(IDC_RT_SHOW_ALL), BM_CLICK, 0, 0);
  EXPECT_GT(RowCount(list), 0) << "every IPv4 adapter once the box is ticked";
  EXPECT_FALSE(::IsWindowEnabled(page.GetDlgItemHandle(IDC_RT_NEXT_GATEWAY)));
  PumpMessagesFor(200);
  EXPECT_TRUE(SaveWindowPng(host.Window(), ShotName("routing_page")));
  ::SendMessageW(page.GetDlgItemHandle(IDC_RT_SHOW_ALL), BM_CLICK, 0, 0);
  EXPECT_EQ(0, RowCount(list));
  EXPECT_TRUE(::IsWindowEnabled(page.GetDlgItemHandle(IDC_RT_NEXT_GATEWAY)));
  page.DestroyWindow();
}

std::string LanguageName(const ::testing::TestParamInfo<int>& info) { return info.param ? "Chinese" : "English"; }

INSTANTIATE_TEST_SUITE_P(EachLanguage, MonitorWindowsTest, ::testing::Values(0, 1), LanguageName);

}  // namespace
