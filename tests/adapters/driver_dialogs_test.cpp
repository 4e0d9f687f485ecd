// The Driver page and the dialogs it opens as real windows from each language library: the page in
// its three states, the wizard's steps, the removal, advanced and address dialogs, each saved as a
// PNG in English and Chinese; and the address dialogs' refusals: a host outside 1..249, an address
// the adapter did not take (no "PrivateIp.txt" then), an adapter whose MAC cannot be read.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "adapters/adv_cfg.h"
#include "adapters/chg_ip.h"
#include "adapters/chg_mac.h"
#include "adapters/chg_static_ip.h"
#include "adapters/driver_page.h"
#include "adapters/inst_drv.h"
#include "adapters/inst_drv_prog.h"
#include "adapters/inst_drv_type.h"
#include "adapters/rmv_drv.h"
#include "common/adapter_table.h"
#include "framework/message_pump.h"
#include "adapters/nic_installer.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "tests/adapters/fake_nic_operations.h"
#include "shell/lang_text_format.h"
#include "shell/main_messages.h"
#include "tests/shell/lang_library.h"
#include "tests/shell/modal_script.h"
#include "tests/shell/page_host.h"
#include "tests/shell/scratch_folder.h"
#include "tests/shell/window_shot.h"

namespace {

constexpr DWORD kShown = 300;
constexpr DWORD kWatchdog = 20000;

INT_PTR RunModal(CDialog& dialog, std::function<void()> script) {
  RunLater(kShown, std::move(script));
  RunLater(kWatchdog, [&dialog] { if (dialog.GetSafeHwnd()) dialog.EndDialog(99); });
  INT_PTR result = dialog.DoModal();
  CancelPendingSteps();
  return result;
}

void Click(CDialog& dialog, int id) { ::PostMessageW(dialog.GetDlgItemHandle(id), BM_CLICK, 0, 0); }

// The message box a dialog opened over itself: its text, then OK, once it is there.
std::wstring AnswerMessageBox(HWND owner) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    HWND box = ::GetWindow(::GetDesktopWindow(), GW_CHILD);
    for (; box; box = ::GetWindow(box, GW_HWNDNEXT)) {
      if (::GetWindow(box, GW_OWNER) == owner && ::IsWindowVisible(box) && ::GetDlgItem(box, IDC_MSG_OK_TEXT)) break;
    }
    if (box) {
      wchar_t text[512] = {};
      ::GetDlgItemTextW(box, IDC_MSG_OK_TEXT, text, 512);
      ::PostMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
      return text;
    }
    PumpMessagesFor(50);
  }
  return L"(no message box)";
}

class DriverDialogsTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    library_ = UseLangLibrary(kLangLibraries[GetParam()]);
    ASSERT_NE(nullptr, library_);
    ASSERT_TRUE(folder_.Enter());
  }
  void TearDown() override {
    UseBuiltInTemplates();
    if (library_) ::FreeLibrary(library_);
    g_AdapterTable.Clear();
  }
  std::wstring ShotName(const char* dialog) const {
    std::string name = std::string(dialog) + "_" + kLangLibraries[GetParam()].tag;
    return std::wstring(name.begin(), name.end());
  }
  HMODULE library_ = nullptr;
  ScratchFolder folder_;
};

TEST_P(DriverDialogsTest, DriverPageInEachState) {
  struct Case {
    const char* what;
    const char* shot;
    std::function<void(CDriverPage&)> setUp;
    bool installEnabled, advancedVisible, advancedEnabled;
    std::wstring status, firstRowName;
  } cases[] = {
      {"not installed", "driver_page_not_installed", [](CDriverPage&) {}, true, false, true,
       LoadLangText(0, "TXT_CLICK_BTN_TO_INST_DRV_FIRST"), L""},
      {"Dual-LAN", "driver_page_dual_lan", [](CDriverPage& p) { p.m_wan.physical = true; }, false, true, true,
       LoadLangText(0, "TXT_DRV_INSTALLED"), LoadLangText(0, "TXT_PHYSICAL_MODE")},
      {"DHCP Router", "driver_page_router_dhcp", [](CDriverPage& p) { p.m_wan.routerDhcp = true; }, false, true, false,
       LoadLangText(0, "TXT_DRV_INSTALLED"), LoadLangText(0, "TXT_ROUTER_DHCP")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    folder_.Write(L"DrvInstPhyNic.txt", "QVX_VER=1\r\n{0000000A-0000-0000-0000-4E6574446576}\r\neth0\r\n");
    PageHost host;
    ASSERT_TRUE(host.Open());
    CDriverPage page;
    c.setUp(page);
    ASSERT_TRUE(page.Create(IDD_DRIVER_PAGE, &host.Tab()));
    host.Show(page);
    EXPECT_TRUE(host.Fits(page));
    PumpMessagesFor(200);
    EXPECT_EQ(c.installEnabled, ::IsWindowEnabled(page.GetDlgItemHandle(IDC_DRV_INSTALL)) != FALSE);
    EXPECT_TRUE(::IsWindowEnabled(page.GetDlgItemHandle(IDC_DRV_REMOVE))) << "Remove works in every state";
    EXPECT_EQ(c.advancedVisible, ::IsWindowVisible(page.GetDlgItemHandle(IDC_DRV_ADVANCED)) != FALSE);
    if (c.advancedVisible)
      EXPECT_EQ(c.advancedEnabled, ::IsWindowEnabled(page.GetDlgItemHandle(IDC_DRV_ADVANCED)) != FALSE);
    EXPECT_EQ(c.status, page.GetDlgItemText(IDC_DRV_STATUS));
    HWND list = page.GetDlgItemHandle(IDC_DRV_VIRTUAL_LIST);
    wchar_t name[128] = {};
    LVITEMW item = {};
    item.iSubItem = 1;
    item.pszText = name;
    item.cchTextMax = 128;
    ::SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(c.firstRowName, std::wstring(name));
    if (c.advancedVisible) EXPECT_EQ(L"eth0", page.GetDlgItemText(IDC_DRV_PHYSICAL_NAME));
    EXPECT_TRUE(SaveWindowPng(host.Window(), ShotName(c.shot)));
    page.DestroyWindow();
  }
}

TEST_P(DriverDialogsTest, ChgIpRefusesHostsOutsideTheRangeAndKeepsTheFileWhenTheAdapterDidNotChange) {
  CChgIp dialog;
  const uint8_t old[4] = {192, 168, 69, 89};
  std::copy(old, old + 4, dialog.m_oldIp);
  std::wstring prefix, host, rangeText, notChangedText;
  bool openAfterRefusal = false;
  INT_PTR result = RunModal(dialog, [&] {
    prefix = dialog.GetDlgItemText(IDC_CHGIP_PREFIX);
    host = dialog.GetDlgItemText(IDC_CHGIP_HOST);
    EXPECT_TRUE(SaveWindowPng(dialog, ShotName("chg_ip")));
    dialog.SetDlgItemText(IDC_CHGIP_HOST, L"300");
    // The message box runs its own loop: the answer is a step of that loop.
    RunLater(200, [&] { rangeText = AnswerMessageBox(dialog); });
    Click(dialog, IDOK);
    RunLater(1500, [&] {
      openAfterRefusal = dialog.IsWindow() && !dialog.IsEnding();
      // No "PrivateAdaptGuidName.txt": there is no adapter to take the address.
      dialog.SetDlgItemText(IDC_CHGIP_HOST, L"7");
      RunLater(200, [&] { notChangedText = AnswerMessageBox(dialog); });
      Click(dialog, IDOK);
    });
  });
  EXPECT_EQ(L"192.168.69", prefix);
  EXPECT_EQ(L"89", host);
  EXPECT_EQ(LoadLangText(3, "TXT_HOST_RANGE"), rangeText) << "300 is no private host";
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_EQ(LoadLangText(3, "TXT_IP_NOT_CHANGED"), notChangedText);
  EXPECT_EQ(-1, result);
  EXPECT_FALSE(folder_.Exists(L"PrivateIp.txt")) << "the file must not name an address no adapter has";
}

TEST_P(DriverDialogsTest, ChgMacTakesTheFirstTwoHexDigitsOfEachEdit) {
  CChgMac dialog;
  const uint8_t old[6] = {0x02, 0x3C, 0x4D, 0x5E, 0x45, 0x00};
  std::copy(old, old + 6, dialog.m_oldMac);
  std::wstring shownOld;
  INT_PTR result = RunModal(dialog, [&] {
    shownOld = dialog.GetDlgItemText(IDC_CHGMAC_OLD);
    EXPECT_TRUE(SaveWindowPng(dialog, ShotName("chg_mac")));
    dialog.SetDlgItemText(IDC_CHGMAC_OCTET2, L"ab");
    dialog.SetDlgItemText(IDC_CHGMAC_OCTET3, L"G1");
    dialog.SetDlgItemText(IDC_CHGMAC_OCTET4, L"A");
    dialog.SetDlgItemText(IDC_CHGMAC_OCTET5, L"1f9");
    Click(dialog, IDOK);
  });
  EXPECT_EQ(L"02-3C-4D-5E-45-00", shownOld);
  EXPECT_EQ(0, result);
  const uint8_t expected[4] = {0xAB, 0x00, 0x00, 0x1F};
  EXPECT_EQ(0, memcmp(expected, dialog.m_newOctets, 4));
}

TEST_P(DriverDialogsTest, WizardPlansTheAddressAndRefusesAnAdapterWithoutMac) {
  CInstDrv wizard;
  std::wstring defaultIp, defaultMac, forcedIp, refusal, chosenIp, chosenMac, nameAfterRefusal;
  bool nextVisible = false;
  INT_PTR result = RunModal(wizard, [&] {
    defaultIp = wizard.GetDlgItemText(IDC_INST_IP);
    defaultMac = wizard.GetDlgItemText(IDC_INST_MAC);
    EXPECT_TRUE(SaveWindowPng(wizard, ShotName("inst_drv")));
    wizard.SetDlgItemText(IDC_INST_NETWORK_NAME, L"[123]");
    forcedIp = wizard.GetDlgItemText(IDC_INST_IP);
    wizard.SetDlgItemText(IDC_INST_NETWORK_NAME, L"mynet");
    // Two adapters as the enumeration gave them; only "eth1" is in the physical-adapter table.
    HWND list = wizard.GetDlgItemHandle(IDC_INST_ADAPTER_LIST);
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    const wchar_t* names[] = {L"eth1", L"ghost0"};
    wizard.m_adapterCount = 2;
    for (int i = 0; i < 2; ++i) {
      wcscpy(wizard.m_adapters[i].description, names[i]);
      wcscpy(wizard.m_adapters[i].guid, i ? L"{ghost}" : L"{eth1}");
      LVITEMW item = {};
      item.mask = LVIF_TEXT;
      item.pszText = const_cast<wchar_t*>(names[i]);
      ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    const uint8_t mac[6] = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    g_AdapterTable.Add(3, L"eth1", mac);
    auto doubleClick = [&](int row) {
      NMITEMACTIVATE activate = {};
      activate.hdr.hwndFrom = list;
      activate.hdr.idFrom = IDC_INST_ADAPTER_LIST;
      activate.hdr.code = NM_DBLCLK;
      activate.iItem = row;
      ::SendMessageW(wizard, WM_NOTIFY, IDC_INST_ADAPTER_LIST, reinterpret_cast<LPARAM>(&activate));
    };
    // Row 0 is "ghost0" (inserted last, at the top).
    RunLater(100, [&] { refusal = AnswerMessageBox(wizard); });
    doubleClick(0);
    nameAfterRefusal = wizard.GetDlgItemText(IDC_INST_ADAPTER_NAME);
    doubleClick(1);
    chosenIp = wizard.GetDlgItemText(IDC_INST_IP);
    chosenMac = wizard.GetDlgItemText(IDC_INST_MAC);
    nextVisible = ::IsWindowVisible(wizard.GetDlgItemHandle(IDC_INST_CHANGE_MAC)) != FALSE;
    EXPECT_TRUE(SaveWindowPng(wizard, ShotName("inst_drv_chosen")));
    wizard.EndDialog(-1);
  });
  EXPECT_EQ(-1, result);
  EXPECT_EQ(L"192.168.69.XXX", defaultIp);
  EXPECT_EQ(L"02-XX-XX-XX-XX-00", defaultMac);
  EXPECT_EQ(L"192.168.123.XXX", forcedIp);
  EXPECT_EQ(LoadLangText(6, "TXT_NO_PHY_MAC"), refusal) << "a MAC-less adapter is refused, not given zeros";
  EXPECT_EQ(L"", nameAfterRefusal);
  EXPECT_EQ(L"192.168.69.89", chosenIp);
  EXPECT_EQ(L"02-3C-4D-5E-45-00", chosenMac);
  EXPECT_TRUE(nextVisible) << "Change MAC appears once a wired adapter is chosen";
  EXPECT_FALSE(wizard.m_success);
}

TEST_P(DriverDialogsTest, LaterStepsAndOtherDialogsOpenWithTheirTexts) {
  CInstDrv wizard;  // the plan the later steps read; never shown
  wizard.m_installer = std::make_unique<CNicInstaller>();
  wcscpy(wizard.m_adapters[0].description, L"eth1");
  wizard.m_adapterCount = 1;
  wizard.m_selected = 0;
  wizard.m_adapterChosen = true;
  {
    CInstDrvType type(nullptr, &wizard);
    std::wstring hint;
    RunModal(type, [&] {
      hint = type.GetDlgItemText(IDC_TYPE_HINT);
      EXPECT_TRUE(SaveWindowPng(type, ShotName("inst_drv_type")));
      type.EndDialog(-1);
    });
    EXPECT_EQ(LoadLangText(5, "LINK_TYPE_HINT_QVX"), hint);
    EXPECT_EQ(0, type.m_linkMode);
  }
  {
    CInstDrvProg progress(nullptr, &wizard, 0);
    int environments = 0, counts = 0;
    bool exitVisible = true;
    std::wstring help;
    RunModal(progress, [&] {
      environments = static_cast<int>(::SendMessageW(progress.GetDlgItemHandle(IDC_PROG_ENVIRONMENT), CB_GETCOUNT, 0, 0));
      counts = static_cast<int>(::SendMessageW(progress.GetDlgItemHandle(IDC_PROG_COUNT), CB_GETCOUNT, 0, 0));
      exitVisible = ::IsWindowVisible(progress.GetDlgItemHandle(IDC_PROG_EXIT)) != FALSE;
      help = progress.GetDlgItemText(IDC_PROG_HELP);
      EXPECT_TRUE(SaveWindowPng(progress, ShotName("inst_drv_prog")));
      progress.EndDialog(-1);
    });
    EXPECT_EQ(3, environments);
    EXPECT_EQ(4, counts) << "None, 1, 2, 3";
    EXPECT_FALSE(exitVisible);
    EXPECT_EQ(LoadLangText(5, "DHCP_HELP"), help);
  }
  struct Shot {
    const char* name;
    std::function<std::unique_ptr<CDialog>()> make;
  } shots[] = {
      {"rmv_drv", [] { return std::make_unique<CRmvDrv>(); }},
      {"adv_cfg", [] { return std::make_unique<CAdvCfg>(); }},
      {"chg_static_ip", [] { return std::make_unique<CChgStaticIp>(); }},
  };
  for (const Shot& shot : shots) {
    SCOPED_TRACE(shot.name);
    std::unique_ptr<CDialog> dialog = shot.make();
    bool shown = false;
    RunModal(*dialog, [&] {
      shown = dialog->IsWindowVisible();
      EXPECT_TRUE(SaveWindowPng(*dialog, ShotName(shot.name)));
      dialog->EndDialog(-1);
    });
    EXPECT_TRUE(shown);
  }
}


// The progress texts sent to the installation's last step, as its window received them.
std::vector<std::wstring> g_progressTexts;
LRESULT CALLBACK RecordProgress(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->message == UM_PROGRESS_TEXT && sent->lParam &&
      ::GetDlgItem(sent->hwnd, IDC_PROG_PROGRESS))
    g_progressTexts.push_back(reinterpret_cast<const wchar_t*>(sent->lParam));
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// A shown dialog owned by owner that has control id; null when none appears within two seconds.
HWND WaitForOwnedDialog(HWND owner, int id) {
  for (int attempt = 0; attempt < 40; ++attempt) {
    for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
      if (::GetWindow(w, GW_OWNER) == owner && ::IsWindowVisible(w) && ::GetDlgItem(w, id)) return w;
    }
    PumpMessagesFor(50);
  }
  return nullptr;
}

void ClickIn(HWND dialog, int id) { ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// The English library, a scratch program folder and the recorded sequence steps.
class RecordedStepsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = UseLangLibrary(kLangLibraries[0]);
    ASSERT_NE(nullptr, library_);
    ASSERT_TRUE(folder_.Enter());
  }
  void TearDown() override {
    g_AdapterTable.Clear();
    UseBuiltInTemplates();
    if (library_) ::FreeLibrary(library_);
  }
  HMODULE library_ = nullptr;
  ScratchFolder folder_;
  FakeNicOperations fake_;
};

// The whole wizard through its real windows, over the recorded installation steps: adapter,
// network name, Corvane mode, DHCP with no extra adapter, the cable check answered with Ignore (so
// no scan leaves this machine), the installation's progress lines, the files of a success.
TEST_F(RecordedStepsTest, WizardInstallsThroughItsThreeSteps) {
  const uint8_t mac[6] = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
  g_AdapterTable.Clear();
  g_AdapterTable.Add(3, L"eth1", mac);  // link 0: the cable check comes
  g_progressTexts.clear();
  HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, RecordProgress, nullptr, ::GetCurrentThreadId());
  CInstDrv wizard;
  bool typeShown = false, progressShown = false, cableShown = false;
  std::wstring planned;
  RunModal(wizard, [&] {
    HWND list = wizard.GetDlgItemHandle(IDC_INST_ADAPTER_LIST);
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    wizard.m_adapterCount = 1;
    wcscpy(wizard.m_adapters[0].description, L"eth1");
    wcscpy(wizard.m_adapters[0].guid, L"{00000003-0000-0000-0000-4E6574446576}");
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"eth1");
    ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    NMITEMACTIVATE activate = {};
    activate.hdr.hwndFrom = list;
    activate.hdr.idFrom = IDC_INST_ADAPTER_LIST;
    activate.hdr.code = NM_DBLCLK;
    activate.iItem = 0;
    ::SendMessageW(wizard, WM_NOTIFY, IDC_INST_ADAPTER_LIST, reinterpret_cast<LPARAM>(&activate));
    wizard.SetDlgItemText(IDC_INST_NETWORK_NAME, L"[42]");
    planned = wizard.GetDlgItemText(IDC_INST_IP);
    RunLater(300, [&] {
      HWND type = WaitForOwnedDialog(wizard, IDC_TYPE_HINT);
      typeShown = type != nullptr;
      if (!type) return;
      RunLater(300, [&, type] {
        HWND progress = WaitForOwnedDialog(type, IDC_PROG_PROGRESS);
        progressShown = progress != nullptr;
        if (!progress) return;
        RunLater(300, [&, progress] {
          HWND cable = WaitForOwnedDialog(progress, IDC_CABLE_IGNORE);
          cableShown = cable != nullptr;
          if (cable) ClickIn(cable, IDC_CABLE_IGNORE);
        });
        ClickIn(progress, IDC_PROG_INSTALL);
      });
      ClickIn(type, IDC_TYPE_NEXT);
    });
    ClickIn(wizard, IDC_INST_NEXT);
  });
  ::UnhookWindowsHookEx(hook);
  EXPECT_EQ(L"192.168.42.89", planned);
  EXPECT_TRUE(typeShown);
  EXPECT_TRUE(progressShown);
  EXPECT_TRUE(cableShown) << "no link: the cable check comes first";
  EXPECT_TRUE(wizard.m_success);
  ASSERT_FALSE(g_progressTexts.empty());
  EXPECT_EQ(LoadLangText(9, "TXT_ADD_PROG_FIREWALL"), g_progressTexts.back()) << "the installer's last line";
  EXPECT_NE(g_progressTexts.end(), std::find(g_progressTexts.begin(), g_progressTexts.end(),
                                             FormatLangText(LoadLangText(9, "TXT_ADD_VIR_ADAPT"), 1)));
  EXPECT_EQ("QVX_VER=1\r\nDHCP\r\n2\r\n", folder_.Read(L"DrvInstWanType.txt"));
  EXPECT_EQ("QVX_VER=1\r\nENABLED\r\n", folder_.Read(L"EchowardSetting.txt"));
  EXPECT_EQ("QVX_VER=1\r\n1\r\n", folder_.Read(L"SwKbSetting.txt"));
  EXPECT_FALSE(FakeNicOperations::CallsStartingWith(L"install miniport").empty());
}

// What the removal dialog showed, and which steps had run, when the main dialog was asked to close
// the driver's device.
struct DeviceCloseSeen {
  HWND dialog = nullptr;
  std::wstring progressText;
  size_t stepsBefore = 0;
  int requests = 0;
} g_deviceClose;

LRESULT CALLBACK MainDialogStandIn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == UM_CLOSE_DEVICE) {
    ++g_deviceClose.requests;
    wchar_t text[256] = {};
    ::GetDlgItemTextW(g_deviceClose.dialog, IDC_RMV_PROGRESS, text, 256);
    g_deviceClose.progressText = text;
    g_deviceClose.stepsBefore = FakeNicOperations::calls.size();
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// Remove shows "Removing" and has the main dialog close the driver's device before the first step
// of the removal runs; a removal that succeeds ends with the removed flag and closes the dialog.
TEST_F(RecordedStepsTest, RemovalShowsRemovingAndClosesTheDeviceBeforeItsSteps) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = MainDialogStandIn;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"CorvaneTestMainDialog";
  ::RegisterClassW(&windowClass);
  HWND main = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
  ASSERT_NE(nullptr, main);
  g_deviceClose = DeviceCloseSeen{};
  CRmvDrv removal;
  removal.m_mainWindow = main;
  removal.m_physicalGuid = FakeGuid(0);
  RunModal(removal, [&] {
    g_deviceClose.dialog = removal;
    Click(removal, IDC_RMV_REMOVE);
  });
  ::DestroyWindow(main);
  EXPECT_EQ(1, g_deviceClose.requests);
  EXPECT_EQ(LoadLangText(7, "TXT_REMOVING"), g_deviceClose.progressText);
  EXPECT_EQ(0u, g_deviceClose.stepsBefore) << "a removal step ran before the device was closed";
  EXPECT_FALSE(FakeNicOperations::calls.empty());
  EXPECT_TRUE(removal.m_removed);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, DriverDialogsTest, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(info.param == 0 ? "English" : "Chinese");
                         });

}  // namespace
