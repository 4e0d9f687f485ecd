// The Version and Help pages as real windows in the main dialog's tab control, from each language
// library: what they show at the start, that they fit the tab's display area, that Enter, Escape
// and closing leave them in place, the change-log dialog, and the language switch driven by a
// real selection in the real combo box. Each page is saved as a PNG in English and Chinese.
// The update check and the web pages are tested against a web server in a test computer
// (tests/system/info_pages_web_test.sh); nothing here opens a web address.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "controls/icon_button.h"
#include "framework/framework.h"
#include "shell/dialog_ids.h"
#include "shell/help_page.h"
#include "shell/lang_text.h"
#include "shell/update_page.h"
#include "shell/web_host.h"
#include "shell/whats_new.h"
#include "tests/shell/lang_library.h"
#include "tests/shell/modal_script.h"
#include "tests/shell/page_host.h"
#include "tests/shell/scratch_folder.h"
#include "tests/shell/thread_window.h"
#include "tests/shell/window_shot.h"

namespace {

constexpr DWORD kWatchdog = 20000;

std::wstring ItemText(HWND window, int id) {
  wchar_t text[512] = {};
  ::GetDlgItemTextW(window, id, text, 512);
  return text;
}

bool ItemVisible(HWND window, int id) { return ::IsWindowVisible(::GetDlgItem(window, id)) != FALSE; }

LONG FontWeight(HWND control) {
  LOGFONTW font = {};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfWeight;
}

// Real keys go to the foreground window: bring the host to the front and the focus to control.
void PressKeyOn(HWND host, HWND control, WORD key) {
  for (int attempt = 0; attempt < 40 && ::GetForegroundWindow() != host; ++attempt) {
    ::SetForegroundWindow(host);
    PumpMessagesFor(50);
  }
  ASSERT_EQ(host, ::GetForegroundWindow()) << "the host never came to the front";
  ::SetFocus(control);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, input, sizeof(INPUT));
}

class InfoPagesTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    library_ = UseLangLibrary(kLangLibraries[GetParam()]);
    ASSERT_NE(nullptr, library_) << "language library missing from the program folder";
    ASSERT_TRUE(folder_.Enter()) << "cannot make a program folder";
    ASSERT_TRUE(host_.Open());
  }
  void TearDown() override {
    CancelPendingSteps();
    UseBuiltInTemplates();
    if (library_) ::FreeLibrary(library_);
  }
  std::wstring ShotName(const char* page) const {
    std::string name = std::string(page) + "_" + kLangLibraries[GetParam()].tag;
    return std::wstring(name.begin(), name.end());
  }
  HMODULE library_ = nullptr;
  ScratchFolder folder_;
  PageHost host_;
};

TEST_P(InfoPagesTest, VersionPageShowsTheVersionAndTheLanguageInUse) {
  CUpdate page;
  ASSERT_TRUE(page.Create(IDD_UPDATE, &host_.Tab()));
  host_.Show(page);
  EXPECT_TRUE(host_.Fits(page));
  EXPECT_EQ(L"3.0", ItemText(page, IDC_UPDATE_CURRENT_VERSION));
  for (int id : {IDC_UPDATE_NEW_VERSION, IDC_UPDATE_NEW_LABEL, IDC_UPDATE_WHATS_NEW, IDC_UPDATE_NEW_GROUP,
                 IDC_UPDATE_GOTO_DOWNLOAD}) {
    EXPECT_FALSE(ItemVisible(page, id)) << "control " << id << " shows before any check";
  }
  EXPECT_TRUE(ItemVisible(page, IDC_UPDATE_CHECK));
  HWND combo = page.GetDlgItemHandle(IDC_UPDATE_LANGUAGE);
  ASSERT_EQ(2, ::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  wchar_t entry[32] = {};
  ::SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(entry));
  EXPECT_STREQ(L"English", entry);
  ::SendMessageW(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(entry));
  EXPECT_STREQ(L"中文", entry);
  EXPECT_EQ(kLangLibraries[GetParam()].langIndex, ::SendMessageW(combo, CB_GETCURSEL, 0, 0));
  EXPECT_FALSE(page.IsRestartRequested());
  EXPECT_TRUE(SaveWindowPng(host_.Window(), ShotName("update_page")));
}

TEST_P(InfoPagesTest, HelpPageShowsTheFeaturesTheirLinkIconsAndTheContact) {
  CHelpPage page;
  ASSERT_TRUE(page.Create(IDD_HELP_PAGE, &host_.Tab()));
  host_.Show(page);
  EXPECT_TRUE(host_.Fits(page));
  const struct { int id; const char* key; } texts[] = {
      {IDC_HELP_INST_DRV_TEXT, "TXT_INST_DRV_FIRST"}, {IDC_HELP_SWIVO_TEXT, "TXT_SWIVO"},
      {IDC_HELP_LB_TEXT, "TXT_LB"}, {IDC_HELP_WOL_TEXT, "TXT_WOL"}};
  for (const auto& text : texts) {
    SCOPED_TRACE(text.key);
    EXPECT_EQ(LoadLangText(4, text.key), ItemText(page, text.id));
    const LONG expectedWeight = text.id == IDC_HELP_INST_DRV_TEXT ? FW_BOLD : FW_NORMAL;
    EXPECT_EQ(expectedWeight, FontWeight(page.GetDlgItemHandle(text.id)));
  }
  for (int id : {IDC_HELP_INST_DRV, IDC_HELP_SWIVO, IDC_HELP_LB, IDC_HELP_WOL}) {
    auto* button = dynamic_cast<CSXButton*>(CWnd::FromHandlePermanent(page.GetDlgItemHandle(id)));
    ASSERT_NE(nullptr, button) << "button " << id << " is no icon button";
    EXPECT_NE(nullptr, button->Icon()) << "button " << id << " has no icon";
  }
  EXPECT_EQ(kMakerContactAddress, ItemText(page, IDC_HELP_CONTACT));
  EXPECT_EQ(static_cast<UINT>(IDC_HELP_WEB_SITE), page.GetDefID());
  auto kind = [&](int id) { return ::GetWindowLongPtrW(page.GetDlgItemHandle(id), GWL_STYLE) & BS_TYPEMASK; };
  EXPECT_EQ(BS_DEFPUSHBUTTON, kind(IDC_HELP_WEB_SITE));
  EXPECT_EQ(BS_PUSHBUTTON, kind(IDC_HELP_PAGE_BUTTON));
  EXPECT_TRUE(SaveWindowPng(host_.Window(), ShotName("help_page")));
}

TEST_P(InfoPagesTest, EscapeEnterAndClosingLeaveTheVersionPageInPlace) {
  CUpdate page;
  ASSERT_TRUE(page.Create(IDD_UPDATE, &host_.Tab()));
  host_.Show(page);
  HWND combo = page.GetDlgItemHandle(IDC_UPDATE_LANGUAGE);
  for (WORD key : {VK_ESCAPE, VK_RETURN}) {
    PressKeyOn(host_.Window(), combo, key);
    PumpMessagesFor(200);
    EXPECT_TRUE(page.IsWindowVisible()) << "key " << key << " hid the page";
  }
  page.PostMessage(WM_CLOSE);
  PumpMessagesFor(200);
  EXPECT_TRUE(page.IsWindowVisible()) << "closing hid the page";
  EXPECT_EQ(kLangLibraries[GetParam()].langIndex, ::SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

TEST_P(InfoPagesTest, ChangeLogListsTheNonEmptyLinesInFileOrder) {
  ASSERT_TRUE(folder_.Write(L"relnote.txt",
                            "Faster scan of the private network\r\n\r\nSwivo: shared clipboard\n\n\rZ last entry\r\n"));
  CWhatsNew dialog;
  dialog.m_fileName = folder_.PathOf(L"relnote.txt");
  dialog.m_versionText = L"3.1";
  std::vector<std::wstring> lines;
  std::wstring caption, version, label;
  RunLater(300, [&] {
    caption = dialog.GetWindowText();
    version = dialog.m_versionLabel.GetWindowText();
    label = dialog.m_changeLogLabel.GetWindowText();
    for (int i = 0; i < dialog.m_list.GetCount(); ++i) lines.push_back(dialog.m_list.GetText(i));
    EXPECT_TRUE(SaveWindowPng(dialog, ShotName("whats_new")));
    ::PostMessageW(dialog.GetDlgItemHandle(IDOK), BM_CLICK, 0, 0);
  });
  RunLater(kWatchdog, [&] { if (dialog.GetSafeHwnd()) dialog.EndDialog(99); });
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_EQ(LoadLangText(7, "TXT_CHG_LOG"), caption);
  EXPECT_EQ(LoadLangText(7, "TXT_CHG_LOG"), label);
  EXPECT_EQ(std::wstring(LoadLangText(7, "TXT_QVX_VER")) + L"3.1", version);
  const std::vector<std::wstring> expected = {L"Faster scan of the private network", L"Swivo: shared clipboard",
                                              L"Z last entry"};
  EXPECT_EQ(expected, lines);
}

TEST_P(InfoPagesTest, ChangeLogWithoutItsFileIsEmpty) {
  CWhatsNew dialog;
  dialog.m_fileName = folder_.PathOf(L"relnote.txt");  // never written
  int count = -1;
  RunLater(300, [&] {
    count = dialog.m_list.GetCount();
    ::PostMessageW(dialog.GetDlgItemHandle(IDOK), BM_CLICK, 0, 0);
  });
  RunLater(kWatchdog, [&] { if (dialog.GetSafeHwnd()) dialog.EndDialog(99); });
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_EQ(0, count);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, InfoPagesTest, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(kLangLibraries[info.param].tag);
                         });

// The language switch: a real selection in the combo box (an arrow key), answered in the real
// question dialog. Yes writes "LangType.txt", sets the language and asks for a restart; No and
// Escape put the combo back and change nothing.
TEST(LanguageSwitchTest, SelectingALanguageAsksAndSwitchesOnlyOnYes) {
  enum class Answer { Yes, No, Escape };
  struct Case {
    const char* what;
    int startIndex;
    WORD key;
    Answer answer;
    const char* fileWritten;  // nullptr: no file
    int indexAfter;
  };
  const Case cases[] = {
      {"English to Chinese, Yes", 0, VK_DOWN, Answer::Yes, "QVX_VER=1\r\nCHT\r\n", 1},
      {"Chinese to English, Yes", 1, VK_UP, Answer::Yes, "QVX_VER=1\r\nENG\r\n", 0},
      {"English to Chinese, No", 0, VK_DOWN, Answer::No, nullptr, 0},
      {"Chinese to English, Escape", 1, VK_UP, Answer::Escape, nullptr, 1},
  };
  HMODULE library = UseLangLibrary(kLangLibraries[0]);
  ASSERT_NE(nullptr, library);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder folder;
    ASSERT_TRUE(folder.Enter());
    g_LangIndex = c.startIndex;
    PageHost host;
    ASSERT_TRUE(host.Open());
    CUpdate page;
    ASSERT_TRUE(page.Create(IDD_UPDATE, &host.Tab()));
    host.Show(page);
    HWND combo = page.GetDlgItemHandle(IDC_UPDATE_LANGUAGE);

    bool answered = false;
    std::wstring question, saveLine;
    const std::wstring expectedQuestion = LoadLangText(7, "TO_SWITCH_LANG");  // in the language before
    std::function<void()> answer = [&] {
      HWND dialog = FindThreadWindow(LoadLangText(7, "TITLE_SWITCH_LANG"));
      if (!dialog) {
        RunLater(100, answer);  // not up yet
        return;
      }
      question = ItemText(dialog, IDC_YES_NO_TEXT);
      if (c.answer == Answer::Escape) {
        PressKeyOn(dialog, ::GetDlgItem(dialog, IDC_YES_NO_NO), VK_ESCAPE);
      } else {
        ::PostMessageW(::GetDlgItem(dialog, c.answer == Answer::Yes ? IDC_YES_NO_YES : IDC_YES_NO_NO), BM_CLICK, 0, 0);
      }
      answered = true;
      RunLater(800, [&] {
        HWND box = FindThreadWindow(LoadLangText(7, "SAVE"));
        if (box) saveLine = ItemText(box, IDC_SHOW_MSG_LINE1);
      });
    };
    RunLater(300, answer);
    PressKeyOn(host.Window(), combo, c.key);
    // The question and the status box run inside the dispatch of the key: when a pump returns
    // after the answer, the switch has ended.
    for (DWORD start = ::GetTickCount(); !answered && ::GetTickCount() - start < kWatchdog;) PumpMessagesFor(50);
    PumpMessagesFor(100);
    CancelPendingSteps();

    EXPECT_TRUE(answered);
    EXPECT_EQ(expectedQuestion, question);
    if (c.fileWritten) {
      EXPECT_EQ(c.fileWritten, folder.Read(L"LangType.txt"));
      EXPECT_TRUE(page.IsRestartRequested());
      EXPECT_EQ(LoadLangText(7, "SAVE_LANG_SETTING"), saveLine);  // in the new language
      page.ClearRestartRequest();
      EXPECT_FALSE(page.IsRestartRequested());
    } else {
      EXPECT_FALSE(folder.Exists(L"LangType.txt")) << "a file was written";
      EXPECT_FALSE(page.IsRestartRequested());
      EXPECT_TRUE(saveLine.empty());
    }
    EXPECT_EQ(c.indexAfter, g_LangIndex);
    const int shownEntry = c.fileWritten ? c.indexAfter : c.startIndex;
    EXPECT_EQ(shownEntry, ::SendMessageW(combo, CB_GETCURSEL, 0, 0));
  }
  UseBuiltInTemplates();
  ::FreeLibrary(library);
}

}  // namespace
