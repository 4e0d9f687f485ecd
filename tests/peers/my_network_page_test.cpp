// The My Network page as a real window from the English language library, on a stand-in main
// dialog that hands it a peer table of the test's own: what its list shows through refresh ticks,
// refills and header clicks. The tick's alive broadcast goes to a recorder.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/framework.h"
#include "framework/message_pump.h"
#include "peers/computer_list_file.h"
#include "peers/my_net_page.h"
#include "shell/dialog_ids.h"
#include "shell/main_messages.h"
#include "tests/shell/lang_library.h"
#include "tests/shell/page_host.h"
#include "tests/shell/scratch_folder.h"
#include "tests/shell/window_shot.h"

namespace {

constexpr uint8_t kSubnet = 7;
constexpr int kOwnHost = 1;

// The main dialog's part in the page's start: the answer to UM_PEER_TABLE.
PeerInfoTable* g_peerTable = nullptr;

LRESULT CALLBACK PeerTableOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == UM_PEER_TABLE) {
    if (wParam == 1) *reinterpret_cast<PeerInfoTable**>(lParam) = g_peerTable;
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND MakePeerTableOwner() {
  static const bool registered = [] {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = PeerTableOwner;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CorvanePeerTableOwner";
    return ::RegisterClassW(&windowClass) != 0;
  }();
  if (!registered) return nullptr;
  return ::CreateWindowExW(0, L"CorvanePeerTableOwner", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
}

// "WolCompList.txt" with the given hosts, named "PC<host>".
std::string ComputerListText(const std::vector<int>& hosts) {
  std::string text = "QVX_VER=1\r\n" + std::to_string(kSubnet) + "\r\n";
  for (int host : hosts) {
    text += std::to_string(host) + ",PC" + std::to_string(host) + ",Test CPU,3,02000000" +
            (host < 16 ? "0" : "") + [host] {
              char hex[3];
              std::snprintf(hex, sizeof hex, "%X", host);
              return std::string(hex);
            }() + "\r\n";
  }
  return text;
}

class MyNetworkPage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(UseLangLibrary(kLangLibraries[0]));
    ASSERT_TRUE(folder_.Enter());
    peers_ = std::make_unique<PeerInfoTable>();
    *peers_ = PeerInfoTable{};
    g_peerTable = peers_.get();
    owner_ = MakePeerTableOwner();
    ASSERT_NE(owner_, nullptr);
    ASSERT_TRUE(host_.Open());
  }
  void TearDown() override {
    if (page_.GetSafeHwnd()) page_.DestroyWindow();
    if (owner_) ::DestroyWindow(owner_);
    g_peerTable = nullptr;
  }
  // The page over the listed hosts, each of them answering the alive query when alive says so.
  void Open(const std::vector<int>& hosts) {
    folder_.Write(L"WolCompList.txt", ComputerListText(hosts));
    page_.folder_ = folder_.Path();
    page_.mainWindow_ = owner_;
    page_.sendLinkQuery_ = [this](const LanPeer&) { ++linkQueries_; };
    page_.SetPrivateIp(192, 168, kSubnet, kOwnHost);
    ASSERT_TRUE(page_.Create(IDD_MY_NET, &host_.Tab()));
    host_.Show(page_);
    for (int host : hosts) peers_->present[host] = 1;
    PumpMessagesFor(100);
  }
  // One refresh tick with these hosts answering.
  void Tick(const std::vector<int>& answering) {
    for (int host : answering) peers_->alive[host] = 1;
    page_.Refresh();
    PumpMessagesFor(50);
  }
  CListCtrlEx& List() { return page_.ListControl(); }
  std::wstring Cell(int row, int column) { return std::wstring(List().GetItemText(row, column)); }
  std::vector<std::wstring> Column(int column) {
    std::vector<std::wstring> cells;
    for (int row = 0; row < List().GetItemCount(); ++row) cells.push_back(Cell(row, column));
    return cells;
  }
  // A real click on the header item of column.
  void ClickHeader(int column) {
    HWND header = List().GetHeaderCtrl();
    RECT item = {};
    ::SendMessageW(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
    POINT at = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    POINT screen = at;
    ::ClientToScreen(header, &screen);
    ::SetCursorPos(screen.x, screen.y);
    const LPARAM where = MAKELPARAM(at.x, at.y);
    ::PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, where);
    ::PostMessageW(header, WM_LBUTTONUP, 0, where);
    PumpMessagesFor(100);
  }

  ScratchFolder folder_;
  std::unique_ptr<PeerInfoTable> peers_;
  HWND owner_ = nullptr;
  PageHost host_;
  CMyNet page_;
  int linkQueries_ = 0;
};

// Screen pixels in the row's cell of column that differ from the colour right of its text.
int TextPixels(CListCtrl& list, int row, int column) {
  RECT cell = {};
  list.GetSubItemRect(row, column, LVIR_LABEL, &cell);
  HDC screen = ::GetDC(nullptr);
  POINT origin = {0, 0};
  ::ClientToScreen(list.GetSafeHwnd(), &origin);
  const int y0 = origin.y + cell.top;
  const COLORREF fill = ::GetPixel(screen, origin.x + cell.right - 3, y0 + (cell.bottom - cell.top) / 2);
  int differing = 0;
  for (int y = y0 + 1; y < origin.y + cell.bottom - 1; ++y) {
    for (int x = origin.x + cell.left; x < origin.x + cell.left + 40 && x < origin.x + cell.right; ++x) {
      differing += ::GetPixel(screen, x, y) != fill;
    }
  }
  ::ReleaseDC(nullptr, screen);
  return differing;
}

}  // namespace

TEST_F(MyNetworkPage, TheFirstTickLeavesQuestionMarksAndTheSecondShowsTheLinks) {
  Open({2, 3});
  EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"PC2", L"PC3"}));
  EXPECT_EQ(Column(2), (std::vector<std::wstring>{L"?", L"?"}));
  Tick({2});
  EXPECT_EQ(Column(2), (std::vector<std::wstring>{L"?", L"?"})) << "the first tick refills nothing";
  EXPECT_EQ(linkQueries_, 1);
  Tick({2});
  EXPECT_EQ(Column(2), (std::vector<std::wstring>{L"Yes", L"No"}));
  EXPECT_EQ(linkQueries_, 2);
}

// The computer name column is the sorted one and carries the tint: its names must still show.
TEST_F(MyNetworkPage, TheTintedNameColumnShowsItsNames) {
  Open({2, 3});
  Tick({2, 3});
  Tick({2, 3});
  struct Case { bool tinted; };
  for (const Case c : {Case{true}, Case{false}}) {
    SCOPED_TRACE(c.tinted ? "tinted" : "plain");
    List().ColorSortColumn(c.tinted);
    List().UpdateWindow();
    PumpMessagesFor(100);
    for (int row = 0; row < 2; ++row) {
      EXPECT_GT(TextPixels(List(), row, 0), 10) << "row " << row << ": no name drawn";
      EXPECT_GT(TextPixels(List(), row, 1), 10) << "row " << row << ": no address drawn";
    }
    if (c.tinted) SaveWindowPng(page_.GetSafeHwnd(), L"my_network_page_names");
  }
}

TEST_F(MyNetworkPage, TopRowAndSelectionAreKeptThroughARefill) {
  std::vector<int> hosts;
  for (int host = 2; host <= 60; ++host) hosts.push_back(host);
  Open(hosts);
  Tick(hosts);
  const int top = 20;
  List().EnsureVisible(List().GetItemCount() - 1, false);
  List().EnsureVisible(top, false);
  PumpMessagesFor(50);
  const int shownTop = List().GetTopIndex();
  ASSERT_GT(shownTop, 0) << "the list does not scroll";
  const int selected = shownTop + 3;
  List().SetItemState(selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  const std::wstring selectedIp = Cell(selected, 1);
  Tick(hosts);
  EXPECT_EQ(Column(2).front(), L"Yes") << "the tick refilled the list";
  EXPECT_EQ(List().GetTopIndex(), shownTop);
  const int nowSelected = List().GetNextItem(-1, LVNI_SELECTED);
  ASSERT_GE(nowSelected, 0);
  EXPECT_EQ(Cell(nowSelected, 1), selectedIp);
  EXPECT_EQ(List().GetSelectedCount(), 1u);
}

TEST_F(MyNetworkPage, LinkSortsAscendingThenDescending) {
  Open({2, 3, 4, 5});
  Tick({3, 5});
  Tick({3, 5});
  struct Step { int column; int32_t key; std::vector<std::wstring> links; std::vector<std::wstring> names; };
  const Step steps[] = {
      // Equal links keep no order of their own.
      {2, 3, {L"No", L"No", L"Yes", L"Yes"}, {}},
      {2, -3, {L"Yes", L"Yes", L"No", L"No"}, {}},
      {0, 1, {L"No", L"Yes", L"No", L"Yes"}, {L"PC2", L"PC3", L"PC4", L"PC5"}},
  };
  for (const Step& s : steps) {
    ClickHeader(s.column);
    SCOPED_TRACE("after a click on column " + std::to_string(s.column));
    EXPECT_EQ(page_.SortKey(), s.key);
    EXPECT_EQ(Column(2), s.links);
    if (!s.names.empty()) EXPECT_EQ(Column(0), s.names);
  }
}
