// The pairing, remote-computer and computer-list dialogs as real windows from the English
// language library, driven by scripted clicks while their modal loops run. Nothing is sent on a
// network: the pairing's ExchangeStart goes to a recorder, and no button here starts a program.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "framework/framework.h"
#include "framework/message_pump.h"
#include "peers/allowed_hosts_dlg.h"
#include "peers/computer_list_dlg.h"
#include "peers/hotkey_dlg.h"
#include "peers/km_key_table.h"
#include "peers/pairing_dlg.h"
#include "peers/remote_computer_dlg.h"
#include "peers/scan_response_setting.h"
#include "shell/dialog_ids.h"
#include "tests/shell/lang_library.h"
#include "tests/shell/modal_script.h"
#include "tests/shell/scratch_folder.h"

namespace {

constexpr DWORD kWatchdog = 20000;
const uint8_t kKey[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

std::wstring ItemText(HWND window, int id) {
  wchar_t text[512] = {};
  ::GetDlgItemTextW(window, id, text, 512);
  return text;
}
bool ItemVisible(HWND window, int id) { return ::IsWindowVisible(::GetDlgItem(window, id)) != FALSE; }
void Press(HWND window, int id) { ::SendMessageW(::GetDlgItem(window, id), BM_CLICK, 0, 0); }
int WindowHeight(HWND window) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
}

// Answers the save question with Yes once it shows.
void AnswerYesSoon() {
  RunLater(300, [] {
    for (HWND question = ::GetWindow(::GetDesktopWindow(), GW_CHILD); question;
         question = ::GetWindow(question, GW_HWNDNEXT)) {
      if (::IsWindowVisible(question) && ::GetDlgItem(question, IDC_YES_NO_YES)) {
        ::PostMessageW(::GetDlgItem(question, IDC_YES_NO_YES), BM_CLICK, 0, 0);
      }
    }
  });
}

class PeerDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(UseLangLibrary(kLangLibraries[0]));
    ASSERT_TRUE(folder_.Enter());
    event_ = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  }
  void TearDown() override {
    CancelPendingSteps();
    ::CloseHandle(event_);
  }
  // A pairing dialog for 192.168.7.20 whose ExchangeStarts are only counted.
  void Prepare(CTandemkey& pairing) {
    pairing.peerOctet3_ = 7;
    pairing.peerOctet4_ = 20;
    pairing.folder_ = folder_.Path();
    pairing.passwordBuffer_ = buffer_;
    pairing.passwordEvent_ = event_;
    pairing.pairWaitMs_ = 1000;
    pairing.sendExchangeStart_ = [this](const LanPeer&) { ++starts_; };
  }
  ScratchFolder folder_;
  HANDLE event_ = nullptr;
  uint8_t buffer_[16] = {};
  int starts_ = 0;
};

TEST_F(PeerDialogs, AKeyDeliveredBeforeThePairingIsNotTaken) {
  std::memcpy(buffer_, kKey, 16);
  ::SetEvent(event_);  // left over from an earlier pairing
  CTandemkey pairing;
  Prepare(pairing);
  RunLater(200, [&] { Press(pairing.GetSafeHwnd(), IDC_PAIR_CONNECT); });
  RunLater(kWatchdog, [&] { pairing.EndDialog(-1); });
  // The press waits inside its handler; once it has given up, the dialog is closed.
  RunLater(4500, [&] { pairing.EndDialog(-1); });
  EXPECT_EQ(pairing.DoModal(), -1) << "the old key was taken for this pairing";
  EXPECT_EQ(starts_, 1);
  EXPECT_FALSE(folder_.Exists(L"KmCompList.txt"));
}

TEST_F(PeerDialogs, ADeliveredKeyFillsTheChosenSlot) {
  folder_.Write(L"KmCompList.txt", "QVX_VER=1\r\n0,7,30,0,00000000000000000000000000000000\r\n");
  CTandemkey pairing;
  Prepare(pairing);
  std::thread peer;
  RunLater(200, [&] {
    EXPECT_EQ(ItemText(pairing.GetSafeHwnd(), IDC_PAIR_SLOT), L"2") << "slot 1 is another peer's";
    peer = std::thread([this] {
      ::Sleep(300);
      std::memcpy(buffer_, kKey, 16);
      ::SetEvent(event_);
    });
    Press(pairing.GetSafeHwnd(), IDC_PAIR_CONNECT);
  });
  RunLater(kWatchdog, [&] { pairing.EndDialog(-1); });
  EXPECT_EQ(pairing.DoModal(), 0);
  peer.join();
  EXPECT_EQ(pairing.PairedSlot(), 1);
  EXPECT_EQ(folder_.Read(L"KmCompList.txt"),
            "QVX_VER=1\r\n0,7,30,0,00000000000000000000000000000000\r\n1,7,20,1,0102030405060708090A0B0C0D0E0F10\r\n");
}

TEST_F(PeerDialogs, WithBothSlotsTakenConnectDoesNothing) {
  folder_.Write(L"KmCompList.txt", "QVX_VER=1\r\n0,7,30,0,00000000000000000000000000000000\r\n"
                                   "1,7,31,0,00000000000000000000000000000000\r\n");
  CTandemkey pairing;
  Prepare(pairing);
  RunLater(200, [&] {
    EXPECT_EQ(::SendDlgItemMessageW(pairing.GetSafeHwnd(), IDC_PAIR_SLOT, CB_GETCOUNT, 0, 0), 0);
    Press(pairing.GetSafeHwnd(), IDC_PAIR_CONNECT);
    EXPECT_FALSE(pairing.PairHotkeySlot(-1));
    EXPECT_FALSE(pairing.PairHotkeySlot(2));
    pairing.EndDialog(-1);
  });
  RunLater(kWatchdog, [&] { pairing.EndDialog(-1); });
  EXPECT_EQ(pairing.DoModal(), -1);
  EXPECT_EQ(starts_, 0);
}

TEST_F(PeerDialogs, AnAlreadyPairedPeerGetsExit) {
  folder_.Write(L"KmCompList.txt", "QVX_VER=1\r\n1,7,20,1,00000000000000000000000000000000\r\n");
  CTandemkey pairing;
  Prepare(pairing);
  RunLater(200, [&] {
    HWND window = pairing.GetSafeHwnd();
    EXPECT_FALSE(ItemVisible(window, IDC_PAIR_SLOT));
    EXPECT_TRUE(ItemVisible(window, IDC_PAIR_RECONNECT));
    EXPECT_TRUE(ItemVisible(window, IDC_PAIR_ALREADY));
    EXPECT_EQ(ItemText(window, IDC_PAIR_HOTKEY), L"Hotkey : [Ctrl] + [Alt] + [2]");
    EXPECT_EQ(ItemText(window, IDC_PAIR_CONNECT), L"Exit");
    Press(window, IDC_PAIR_CONNECT);
  });
  RunLater(kWatchdog, [&] { pairing.EndDialog(-1); });
  EXPECT_EQ(pairing.DoModal(), 1);
  EXPECT_EQ(starts_, 0);
}

TEST_F(PeerDialogs, RemoteComputerInWolModeAndMore) {
  const struct {
    bool wolMode;
  } cases[] = {{false}, {true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.wolMode ? "WOL mode" : "link up");
    MyNetServType dialog;
    dialog.ipText_ = L"192.168.5.12";
    dialog.name_ = L"OFFICE";
    dialog.os_ = 1;
    dialog.wolMode_ = c.wolMode;
    RunLater(200, [&] {
      HWND window = dialog.GetSafeHwnd();
      EXPECT_EQ(ItemText(window, IDC_SERV_IP), L"192.168.5.12");
      EXPECT_EQ(ItemText(window, IDC_SERV_OS), L"Windows Server 2008 R2");
      EXPECT_EQ(ItemVisible(window, IDC_SERV_SWIVO), !c.wolMode);
      EXPECT_EQ(ItemVisible(window, IDC_SERV_FILE_COPY), !c.wolMode);
      EXPECT_EQ(ItemVisible(window, IDC_SERV_WOL), c.wolMode);
      RECT swivo, wol;
      ::GetWindowRect(::GetDlgItem(window, IDC_SERV_SWIVO), &swivo);
      ::GetWindowRect(::GetDlgItem(window, IDC_SERV_WOL), &wol);
      if (c.wolMode) EXPECT_EQ(wol.left, swivo.left) << "Wake-on-LAN stands where Swivo would";
      const int collapsed = WindowHeight(window);
      EXPECT_FALSE(ItemVisible(window, IDC_SERV_GROUP));
      Press(window, IDC_SERV_MORE);
      EXPECT_EQ(WindowHeight(window), collapsed + MyNetServType::kCollapsedCut);
      EXPECT_TRUE(ItemVisible(window, IDC_SERV_GROUP));
      Press(window, IDC_SERV_MORE);
      EXPECT_EQ(WindowHeight(window), collapsed);
      if (c.wolMode) {
        Press(window, IDC_SERV_WOL);  // the notice, then the end with the wake-up asked for
      } else {
        dialog.EndDialog(-1);
      }
    });
    RunLater(kWatchdog, [&] { dialog.EndDialog(-1); });
    const INT_PTR result = dialog.DoModal();
    EXPECT_EQ(result, c.wolMode ? 0 : -1);
    EXPECT_EQ(dialog.Result(), c.wolMode ? kRemoteWakeUp : kRemoteNothing);
    CancelPendingSteps();
  }
}

// The WOL-mode remote dialog and the pairing dialog in both languages: every shown button lies
// inside the dialog.
TEST_F(PeerDialogs, WolModeAndPairingButtonsFitInBothLanguages) {
  auto insideClient = [](HWND window, int id) {
    RECT client, item;
    ::GetClientRect(window, &client);
    ::GetWindowRect(::GetDlgItem(window, id), &item);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&item), 2);
    return item.left >= 0 && item.top >= 0 && item.right <= client.right && item.bottom <= client.bottom;
  };
  for (const LangLibrary& library : kLangLibraries) {
    SCOPED_TRACE(library.tag);
    ASSERT_TRUE(UseLangLibrary(library));
    MyNetServType remote;
    remote.ipText_ = L"192.168.5.12";
    remote.name_ = L"OFFICE";
    remote.wolMode_ = true;
    RunLater(200, [&] {
      HWND window = remote.GetSafeHwnd();
      for (int id : {IDC_SERV_WOL, IDC_SERV_HELP_WOL, IDC_SERV_MORE}) {
        EXPECT_TRUE(ItemVisible(window, id)) << id;
        EXPECT_TRUE(insideClient(window, id)) << id;
      }
      remote.EndDialog(-1);
    });
    RunLater(kWatchdog, [&] { remote.EndDialog(-1); });
    EXPECT_EQ(remote.DoModal(), -1);
    CancelPendingSteps();

    CTandemkey pairing;
    Prepare(pairing);
    RunLater(200, [&] {
      HWND window = pairing.GetSafeHwnd();
      EXPECT_EQ(ItemText(window, IDC_PAIR_SLOT), L"1");
      for (int id : {IDC_PAIR_SLOT, IDC_PAIR_CONNECT, IDC_PAIR_HOTKEY}) EXPECT_TRUE(insideClient(window, id)) << id;
      pairing.EndDialog(-1);
    });
    RunLater(kWatchdog, [&] { pairing.EndDialog(-1); });
    EXPECT_EQ(pairing.DoModal(), -1);
    CancelPendingSteps();
  }
}

TEST(RemoteComputerLaunches, CommandLines) {
  const ShellLaunch share = FileSharingLaunch(L"192.168.5.12");
  EXPECT_EQ(share.verb + L" " + share.file, L"explore \\\\192.168.5.12");
  const ShellLaunch desktop = RemoteDesktopLaunch(L"192.168.5.12");
  EXPECT_EQ(desktop.verb + L" " + desktop.file + L" " + desktop.parameters, L"open mstsc /v:192.168.5.12");
  const ShellLaunch copy = FileCopyLaunch(L"C:\\P", L"192.168.5.12");
  EXPECT_EQ(copy.file + L" " + copy.parameters, L"C:\\P\\Tbn\\64\\Tobrin64.exe -s192.168.5.12");
  EXPECT_EQ(FileCopyLaunch(L"C:\\P", std::wstring(40, L'9')).parameters.size(), 31u);
}

TEST_F(PeerDialogs, ComputerListCancelAndSave) {
  const struct {
    const char* what;
    bool save;
    std::string echowardBefore;
    std::string listAfter;  // "" : no file written
    std::string echowardAfter;
  } cases[] = {
      {"delete, then Cancel: nothing changes", false, "QVX_VER=1\r\n  ENABLED  \r\n", "", "QVX_VER=1\r\n  ENABLED  \r\n"},
      {"delete, then Save, box cleared", true, "QVX_VER=1\r\nenabled\r\n",
       "QVX_VER=1\r\n5\r\n3,C,,7,000000000003\r\n", "QVX_VER=1\r\nDISABLED\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ::DeleteFileW(folder_.PathOf(L"WolCompList.txt").c_str());
    folder_.Write(L"EchowardSetting.txt", c.echowardBefore);
    CMgmtComp dialog;
    dialog.folder_ = folder_.Path();
    dialog.List().subnet = 5;
    const uint8_t mac2[6] = {0, 0, 0, 0, 0, 2}, mac3[6] = {0, 0, 0, 0, 0, 3};
    dialog.List().AddHost(2, L"B", L"", 7, mac2);
    dialog.List().AddHost(3, L"C", L"", 7, mac3);
    RunLater(200, [&] {
      HWND window = dialog.GetSafeHwnd();
      // "  ENABLED  " counts as enabled, "enabled" does not.
      EXPECT_EQ(::IsDlgButtonChecked(window, IDC_MGMT_COMP_SCAN_RESP) == BST_CHECKED, !c.save);
      ASSERT_EQ(dialog.ListControl().GetItemCount(), 2);
      EXPECT_EQ(dialog.ListControl().GetItemText(0, 4), L"No");
      dialog.OnBnClickedDeleteSelected();  // nothing selected: nothing deleted
      EXPECT_EQ(dialog.ListControl().GetItemCount(), 2);
      dialog.List().present[2] = 0;
      dialog.FillList();
      EXPECT_EQ(dialog.ListControl().GetItemCount(), 1);
      if (!c.save) {
        Press(window, IDC_MGMT_COMP_CANCEL);
        return;
      }
      AnswerYesSoon();
      Press(window, IDC_MGMT_COMP_SAVE);
    });
    RunLater(kWatchdog, [&] { dialog.EndDialog(-1); });
    const INT_PTR result = dialog.DoModal();
    CancelPendingSteps();
    EXPECT_EQ(result, c.save ? 0 : -1);
    EXPECT_EQ(folder_.Read(L"WolCompList.txt"), c.listAfter);
    if (c.save) {
      EXPECT_FALSE(dialog.ScanResponse());
      // What the page does with the saved choice.
      ApplyScanResponseChoice(folder_.Path(), dialog.ScanResponse());
    }
    EXPECT_EQ(folder_.Read(L"EchowardSetting.txt"), c.echowardAfter);
  }
}

// The hotkey dialog: deleting the only hotkey and saving leaves a list of no hotkeys.
TEST_F(PeerDialogs, DeletingTheOnlyHotkeyLeavesAnEmptyHotkeyList) {
  folder_.Write(L"KmCompList.txt", "QVX_VER=1\r\n0,7,30,1,0102030405060708090A0B0C0D0E0F10\r\n");
  CMgmtKm dialog;
  dialog.folder_ = folder_.Path();
  RunLater(200, [&] {
    ASSERT_EQ(::SendDlgItemMessageW(dialog.GetSafeHwnd(), IDC_MGMT_KM_LIST, LVM_GETITEMCOUNT, 0, 0), 1);
    dialog.SelectSlotOfRow(0);
    dialog.OnBnClickedDelete();
    EXPECT_EQ(::SendDlgItemMessageW(dialog.GetSafeHwnd(), IDC_MGMT_KM_LIST, LVM_GETITEMCOUNT, 0, 0), 0);
    AnswerYesSoon();
    Press(dialog.GetSafeHwnd(), IDC_MGMT_KM_SAVE);
  });
  RunLater(kWatchdog, [&] { dialog.EndDialog(-1); });
  EXPECT_EQ(dialog.DoModal(), 0);
  EXPECT_EQ(folder_.Read(L"KmCompList.txt"), "QVX_VER=1\r\n");
}

// The allowed-hosts dialog: deleting one of two hosts and saving keeps only the other's key.
TEST_F(PeerDialogs, DeletingAnAllowedHostRemovesOnlyItsKey) {
  {
    KmKeyTable table;
    table.StoreKey(7, 20, kKey);
    table.StoreKey(7, 21, kKey);
    ASSERT_TRUE(table.Save(folder_.Path()));
  }
  MgmtKmSrv dialog;
  dialog.folder_ = folder_.Path();
  RunLater(200, [&] {
    HWND list = ::GetDlgItem(dialog.GetSafeHwnd(), IDC_MGMT_KM_SRV_LIST);
    ASSERT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
    dialog.SelectHostOfRow(0);
    EXPECT_EQ(dialog.SelectedHost(), 20);
    dialog.OnBnClickedDelete();
    EXPECT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 1);
    AnswerYesSoon();
    Press(dialog.GetSafeHwnd(), IDC_MGMT_KM_SRV_SAVE);
  });
  RunLater(kWatchdog, [&] { dialog.EndDialog(-1); });
  EXPECT_EQ(dialog.DoModal(), 0);
  KmKeyTable saved;
  saved.Load(folder_.Path());
  EXPECT_FALSE(saved.IsUsed(20));
  EXPECT_TRUE(saved.IsUsed(21));
  EXPECT_EQ(saved.Subnet(), 7);
}

}  // namespace
