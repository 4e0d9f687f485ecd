// The message dialogs as real windows from each language library: their texts, their answers to
// clicks, keys and closing, the status box's time and size, the link check, and quits that end
// nested dialogs. Each dialog is saved as a PNG in English and Chinese.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>
#include "common/adapter_table.h"
#include "framework/framework.h"
#include "shell/about_dlg.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/help_msg.h"
#include "shell/lang_text.h"
#include "shell/lang_text_format.h"
#include "shell/msg_ok_dlg.h"
#include "shell/msg_top_num.h"
#include "shell/msg_yes_no.h"
#include "shell/network_cable.h"
#include "shell/open_dialog_list.h"
#include "shell/show_msg_dlg.h"
#include "tests/shell/lang_library.h"
#include "tests/shell/modal_script.h"
#include "tests/shell/window_shot.h"

namespace {

constexpr DWORD kShown = 300;        // when the first scripted step runs
constexpr DWORD kWatchdog = 20000;   // a dialog the script failed to end gets 99

struct LibraryTexts {
  const wchar_t* yes;
  const wchar_t* no;
  const wchar_t* ok;
  const wchar_t* continueText;
  const wchar_t* ignore;
  const wchar_t* cancel;
};
const LibraryTexts kTexts[2] = {
    {L"&Yes", L"&No", L"OK", L"&Continue", L"&Ignore", L"Cancel"},
    {L"是(&Y)", L"否(&N)", L"確定", L"繼續(&C)", L"忽略(&I)", L"取消"},
};

// Real keys go to the foreground window: make sure it is the dialog before typing, so that a
// window of another test never gets them.
void PressKey(HWND dialog, WORD key) {
  for (int attempt = 0; attempt < 40 && ::GetForegroundWindow() != dialog; ++attempt) {
    ::SetForegroundWindow(dialog);
    PumpMessagesFor(50);
  }
  HWND front = ::GetForegroundWindow();
  wchar_t frontClass[64] = {}, frontTitle[64] = {};
  ::GetClassNameW(front, frontClass, 64);
  ::GetWindowTextW(front, frontTitle, 64);
  DWORD frontProcess = 0;
  ::GetWindowThreadProcessId(front, &frontProcess);
  ASSERT_EQ(dialog, front) << "the dialog never came to the front; it is " << frontClass << " \""
                           << frontTitle << "\" of process " << frontProcess << " (this " << ::GetCurrentProcessId() << ")";
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, input, sizeof(INPUT));
}

void Click(CDialog& dialog, int id) { ::PostMessageW(dialog.GetDlgItemHandle(id), BM_CLICK, 0, 0); }

std::wstring ItemText(CDialog& dialog, int id) { return dialog.GetDlgItemText(id); }

// The id of the dialog's control that has the keyboard focus, 0 when none of its controls has it.
int FocusedId(CDialog& dialog) {
  HWND focus = ::GetFocus();
  return focus && ::GetParent(focus) == dialog.GetSafeHwnd() ? ::GetDlgCtrlID(focus) : 0;
}

// DoModal with a script: the steps run inside the dialog's loop; a watchdog ends it if they fail.
INT_PTR RunModal(CDialog& dialog, std::function<void()> script) {
  RunLater(kShown, std::move(script));
  RunLater(kWatchdog, [&dialog] { if (dialog.GetSafeHwnd()) dialog.EndDialog(99); });
  INT_PTR result = dialog.DoModal();
  CancelPendingSteps();
  return result;
}

class MsgDialogsTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    library_ = UseLangLibrary(kLangLibraries[GetParam()]);
    ASSERT_NE(nullptr, library_) << "language library missing from the program folder";
  }
  void TearDown() override {
    UseBuiltInTemplates();
    if (library_) ::FreeLibrary(library_);
  }
  const LibraryTexts& texts() const { return kTexts[GetParam()]; }
  std::wstring ShotName(const char* dialog) const {
    std::string name = std::string(dialog) + "_" + kLangLibraries[GetParam()].tag;
    return std::wstring(name.begin(), name.end());
  }
  HMODULE library_ = nullptr;
};

TEST_P(MsgDialogsTest, YesNoShowsItsTextsAndAnswers) {
  struct Case {
    const char* what;
    std::function<void(CMsgYesNo&)> answer;
    INT_PTR expected;
  };
  const Case cases[] = {
      {"Yes clicked", [](CMsgYesNo& d) { Click(d, IDC_YES_NO_YES); }, 0},
      {"No clicked", [](CMsgYesNo& d) { Click(d, IDC_YES_NO_NO); }, -1},
      {"Enter: No is the default", [](CMsgYesNo& d) { PressKey(d, VK_RETURN); }, -1},
      {"Escape", [](CMsgYesNo& d) { PressKey(d, VK_ESCAPE); }, -1},
      {"title-bar close", [](CMsgYesNo& d) { d.PostMessage(WM_SYSCOMMAND, SC_CLOSE); }, -1},
  };
  bool first = true;
  for (const Case& c : cases) {
    CMsgYesNo dialog;
    dialog.m_caption = LoadLangText(7, "TITLE_SWITCH_LANG");
    dialog.m_text = LoadLangText(7, "TO_SWITCH_LANG");
    std::wstring caption, text, yes, no;
    UINT defaultId = 0;
    int focusId = 0;
    INT_PTR result = RunModal(dialog, [&] {
      focusId = FocusedId(dialog);
      caption = dialog.GetWindowText();
      text = ItemText(dialog, IDC_YES_NO_TEXT);
      yes = ItemText(dialog, IDC_YES_NO_YES);
      no = ItemText(dialog, IDC_YES_NO_NO);
      defaultId = dialog.GetDefID();
      if (first) {
        EXPECT_TRUE(SaveWindowPng(dialog, ShotName("msg_yes_no")));
      }
      c.answer(dialog);
    });
    first = false;
    EXPECT_EQ(c.expected, result) << c.what;
    EXPECT_EQ(dialog.m_caption, caption);
    EXPECT_EQ(dialog.m_text, text);
    EXPECT_EQ(texts().yes, yes);
    EXPECT_EQ(texts().no, no);
    EXPECT_EQ(static_cast<UINT>(IDC_YES_NO_NO), defaultId);
    EXPECT_EQ(IDC_YES_NO_NO, focusId) << "No has the focus, so Enter answers No";
  }
}

TEST_P(MsgDialogsTest, OkAndHelpAndAboutShowTheirTextsAndEndWithOk) {
  {
    CMsgOkDlg dialog;
    dialog.m_caption = LoadLangText(7, "TITLE_LINK_CHECK");
    dialog.m_text = LoadLangText(7, "TXT_NOLINK");
    std::wstring text, ok;
    EXPECT_EQ(IDOK, RunModal(dialog, [&] {
      text = ItemText(dialog, IDC_MSG_OK_TEXT);
      ok = ItemText(dialog, IDOK);
      EXPECT_TRUE(SaveWindowPng(dialog, ShotName("msg_ok")));
      PressKey(dialog, VK_RETURN);
    }));
    EXPECT_EQ(dialog.m_text, text);
    EXPECT_EQ(texts().ok, ok);
  }
  {
    CHelpMsg dialog;
    dialog.m_caption = LoadLangText(1, "TAB_HELP");
    dialog.m_heading = LoadLangText(7, "TITLE_LB");
    dialog.m_body = LoadLangText(7, "HELP_LB");
    std::wstring heading, body;
    LONG_PTR bodyStyle = 0;
    EXPECT_EQ(IDOK, RunModal(dialog, [&] {
      heading = ItemText(dialog, IDC_HELP_HEADING);
      body = ItemText(dialog, IDC_HELP_BODY);
      bodyStyle = ::GetWindowLongPtrW(dialog.GetDlgItemHandle(IDC_HELP_BODY), GWL_STYLE);
      EXPECT_TRUE(SaveWindowPng(dialog, ShotName("help_msg")));
      Click(dialog, IDOK);
    }));
    EXPECT_EQ(dialog.m_heading, heading);
    EXPECT_EQ(dialog.m_body, body);
    EXPECT_TRUE(bodyStyle & ES_READONLY);
    EXPECT_TRUE(bodyStyle & ES_MULTILINE);
  }
  {
    CAboutDlg dialog;
    EXPECT_EQ(IDOK, RunModal(dialog, [&] {
      EXPECT_TRUE(SaveWindowPng(dialog, ShotName("about")));
      Click(dialog, IDOK);
    }));
  }
}

TEST_P(MsgDialogsTest, NetworkCableEndsByItsButtons) {
  struct Case {
    const char* what;
    std::function<void(CNetworkCable&)> answer;
    INT_PTR expected;
  };
  const Case cases[] = {
      {"Ignore", [](CNetworkCable& d) { Click(d, IDC_CABLE_IGNORE); }, -2},
      {"Cancel", [](CNetworkCable& d) { Click(d, IDC_CABLE_CANCEL); }, -1},
      {"Enter: Cancel is the default", [](CNetworkCable& d) { PressKey(d, VK_RETURN); }, -1},
      {"Escape", [](CNetworkCable& d) { PressKey(d, VK_ESCAPE); }, -1},
  };
  bool first = true;
  for (const Case& c : cases) {
    CNetworkCable dialog;
    dialog.m_adapterName = L"no-such-adapter";
    std::wstring caption, cancel;
    int focusId = 0;
    UINT defaultId = 0;
    INT_PTR result = RunModal(dialog, [&] {
      focusId = FocusedId(dialog);
      defaultId = dialog.GetDefID();
      caption = dialog.GetWindowText();
      cancel = ItemText(dialog, IDC_CABLE_CANCEL);
      if (first) {
        EXPECT_TRUE(SaveWindowPng(dialog, ShotName("network_cable")));
      }
      c.answer(dialog);
    });
    first = false;
    EXPECT_EQ(c.expected, result) << c.what;
    EXPECT_EQ(LoadLangText(7, "TITLE_LINK_CHECK"), caption);
    EXPECT_EQ(texts().cancel, cancel);
    EXPECT_EQ(IDC_CABLE_CANCEL, focusId) << "Cancel has the focus, so Enter cancels";
    EXPECT_EQ(static_cast<UINT>(IDC_CABLE_CANCEL), defaultId);
  }
}

TEST_P(MsgDialogsTest, StatusBoxShowsItsLinesWithAndWithoutButton) {
  struct Case { const char* shot; bool button; };
  const Case cases[] = {{"show_msg", false}, {"show_msg_button", true}};
  CRect sizes[2];
  for (int i = 0; i < 2; ++i) {
    auto* box = new CShowMsgDlg();
    box->m_customButtonWanted = cases[i].button;
    box->m_customButtonCaption = LoadLangText(2, "TXT_STOP_SWIVO");
    ASSERT_TRUE(box->CreateOnDesktop());
    box->SetTitleAndClear(LoadLangText(7, "TITLE_LINK_CHECK"));
    box->ShowScanCompleted(2);
    box->SetLine2(LoadLangText(7, "TXT_NOLINK"));
    box->ShowWindow(SW_SHOW);
    PumpMessagesFor(200);
    box->GetWindowRect(&sizes[i]);
    EXPECT_EQ(cases[i].button, box->m_customButton.IsWindowVisible());
    EXPECT_EQ(FormatLangText(LoadLangText(7, "TXT_SCAN_COMP"), 2, 3), box->m_line1.GetWindowText());
    EXPECT_TRUE(SaveWindowPng(*box, ShotName(cases[i].shot)));
    box->DestroyWindow();
    delete box;
  }
  EXPECT_EQ(sizes[1].Width() - 100, sizes[0].Width());
  EXPECT_EQ(sizes[1].Height() - 40, sizes[0].Height());
}

TEST_P(MsgDialogsTest, NumberBoxLivesOnItsOwnThread) {
  // As the Swivo controller thread does: create, show, set the number, destroy, all on that thread.
  std::wstring shown;
  bool created = false, saved = false;
  std::wstring shot = ShotName("msg_top_num");
  std::thread controller([&] {
    auto* box = new CMsgTopNumBigFontSize();
    created = box->CreateOnDesktop();
    if (created) {
      box->ShowWindow(SW_SHOWNOACTIVATE);
      box->SetNumber(2);
      PumpMessagesFor(300);
      shown = box->m_numberLabel.GetWindowText();
      saved = SaveWindowPng(*box, shot);
      box->DestroyWindow();
    }
    delete box;
  });
  controller.join();
  EXPECT_TRUE(created);
  EXPECT_EQ(L"2", shown);
  EXPECT_TRUE(saved);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, MsgDialogsTest, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(kLangLibraries[info.param].tag);
                         });

}  // namespace

namespace {

// The English library for the cases that do not depend on the language.
class MsgDialogsEnglishTest : public ::testing::Test {
 protected:
  void SetUp() override { library_ = UseLangLibrary(kLangLibraries[0]); ASSERT_NE(nullptr, library_); }
  void TearDown() override {
    UseBuiltInTemplates();
    ::FreeLibrary(library_);
  }
  HMODULE library_ = nullptr;
};

TEST_F(MsgDialogsEnglishTest, NetworkCableWaitsForTheLinkThenEndsWithZero) {
  const uint8_t mac[6] = {2, 0, 0, 0, 0, 1};
  ASSERT_TRUE(g_AdapterTable.Add(7, L"eth-cable", mac));
  g_AdapterTable.SetLinkFlag(L"eth-cable", 0);
  CNetworkCable dialog;
  dialog.m_adapterName = L"eth-cable";
  bool openAfterNoLink = false;
  std::wstring noLinkBox;
  INT_PTR result = RunModal(dialog, [&] {
    // Continue without a cable: the no-cable notice comes up after the one-second look.
    RunLater(1500, [&] {
      HWND box = ::FindWindowW(nullptr, LoadLangText(7, "TITLE_LINK_CHECK"));
      for (HWND w = box; w; w = ::FindWindowExW(nullptr, w, nullptr, LoadLangText(7, "TITLE_LINK_CHECK"))) {
        if (w != dialog.GetSafeHwnd()) {
          wchar_t line[128] = {};
          ::GetDlgItemTextW(w, IDC_SHOW_MSG_LINE1, line, 128);
          noLinkBox = line;
          SaveWindowPng(w, L"network_cable_nolink_eng");
        }
      }
    });
    Click(dialog, IDC_CABLE_CONTINUE);
    // Well after the two-second notice: still open; the cable is plugged in and Continue pressed.
    RunLater(4500, [&] {
      openAfterNoLink = dialog.GetSafeHwnd() && dialog.IsWindowVisible();
      g_AdapterTable.SetLinkFlag(L"eth-cable", 1);
      Click(dialog, IDC_CABLE_CONTINUE);
    });
  });
  EXPECT_TRUE(openAfterNoLink);
  EXPECT_EQ(LoadLangText(7, "TXT_NOLINK"), noLinkBox);
  EXPECT_EQ(0, result);
}

TEST_F(MsgDialogsEnglishTest, StatusBoxStaysItsTimeWhileTheThreadDispatches) {
  // A window of this thread that counts its timer ticks while the box is up.
  class Ticker : public CWnd {
   public:
    int ticks = 0;
    void OnTimer(UINT_PTR) override { ++ticks; }
  } ticker;
  ASSERT_TRUE(ticker.CreateEx(0, DefaultChildWindowClass(), L"", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0));
  ticker.SetTimer(1, 50);
  HWND shown = nullptr;
  RunLater(500, [&] { shown = ::FindWindowW(nullptr, L"timed box"); });
  DWORD start = ::GetTickCount();
  ShowTimedStatus(nullptr, L"timed box", L"line", 1000);
  DWORD elapsed = ::GetTickCount() - start;
  CancelPendingSteps();
  EXPECT_NE(nullptr, shown);
  EXPECT_FALSE(::IsWindow(shown));
  EXPECT_GE(elapsed, 950u);
  EXPECT_GE(ticker.ticks, 5);  // the thread went on dispatching: no frozen GUI
}

TEST_F(MsgDialogsEnglishTest, StatusBoxCustomButtonSignalsItsEvent) {
  auto* box = new CShowMsgDlg();
  box->m_customButtonWanted = true;
  box->m_customButtonCaption = L"Stop";
  box->m_customButtonEvent = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE event = box->m_customButtonEvent;
  ASSERT_TRUE(box->CreateOnDesktop());
  box->ShowWindow(SW_SHOW);
  ::PostMessageW(box->GetDlgItemHandle(IDC_SHOW_MSG_CUSTOM), BM_CLICK, 0, 0);
  EXPECT_EQ(WAIT_OBJECT_0, WaitWithMessages(event, 5000));
  PressKey(*box, VK_ESCAPE);  // Escape leaves a status box to its owner
  PumpMessagesFor(200);
  EXPECT_TRUE(box->IsWindowVisible());
  box->ShowScanUsedIpProgress();
  box->ShowScanUsedIpProgress();
  EXPECT_EQ(L"Scan used IP address 2", box->m_line1.GetWindowText());
  box->DestroyWindow();
  delete box;  // closes the event
}

// Before the quit request below: closing, once set, stays set for the whole process.
TEST_F(MsgDialogsEnglishTest, DialogDestroyedOutOfOrderLeavesByItsOwnEntry) {
  CMsgOkDlg first, second;
  ASSERT_TRUE(first.Create(IDD_MSG_OK, nullptr));
  ASSERT_TRUE(second.Create(IDD_MSG_OK, nullptr));
  second.ShowWindow(SW_SHOW);
  EXPECT_EQ(2u, OpenDialogCount());
  first.DestroyWindow();  // the older one goes first
  ASSERT_EQ(1u, OpenDialogCount());
  // The entry left is the second dialog's: a quit request reaches it.
  CloseOpenDialogs();
  EXPECT_FALSE(second.IsWindowVisible());
  EXPECT_EQ(0u, OpenDialogCount());
}

TEST_F(MsgDialogsEnglishTest, QuitRequestEndsNestedDialogsInnermostFirst) {
  CMsgOkDlg outer;
  outer.m_text = L"outer";
  INT_PTR innerResult = 99;
  bool outerOpenWhenInnerEnded = false;
  size_t openWhileNested = 0;
  INT_PTR outerResult = RunModal(outer, [&] {
    CMsgYesNo inner;
    inner.m_text = L"inner";
    RunLater(kShown, [&] {
      openWhileNested = OpenDialogCount();
      CloseOpenDialogs();  // what the main dialog does on a quit request
    });
    innerResult = inner.DoModal();
    outerOpenWhenInnerEnded = outer.GetSafeHwnd() != nullptr;
  });
  EXPECT_EQ(2u, openWhileNested);
  EXPECT_EQ(-1, innerResult);
  EXPECT_TRUE(outerOpenWhenInnerEnded);
  EXPECT_EQ(-1, outerResult);
  EXPECT_TRUE(OpenDialogsClosing());
}

// The same questions from templates that put the other buttons first and make them the default:
// the focus and the default still go to the safe answer, and Enter gives it.
TEST(MsgDialogsReorderedTest, EnterGivesTheSafeAnswerWhateverTheTemplatesOrder) {
  std::wstring path = L"Z:";
  for (const char* c = REORDERED_TEMPLATES_DLL; *c; ++c) path += (*c == '/') ? L'\\' : static_cast<wchar_t>(*c);
  HMODULE templates = ::LoadLibraryW(path.c_str());
  ASSERT_NE(nullptr, templates) << "reordered_question_templates.dll missing beside the test";
  AfxSetResourceHandle(templates);
  g_LangIndex = 0;
  struct Case {
    const char* what;
    std::function<std::unique_ptr<CDialog>()> make;
    int safeButton;
  };
  const Case cases[] = {
      {"link check: Cancel, though Continue comes first",
       [] {
         auto dialog = std::make_unique<CNetworkCable>();
         dialog->m_adapterName = L"no-such-adapter";
         return std::unique_ptr<CDialog>(std::move(dialog));
       },
       IDC_CABLE_CANCEL},
      {"yes or no: No, though Yes comes first",
       [] {
         auto dialog = std::make_unique<CMsgYesNo>();
         dialog->m_caption = L"caption";
         dialog->m_text = L"text";
         return std::unique_ptr<CDialog>(std::move(dialog));
       },
       IDC_YES_NO_NO},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<CDialog> dialog = c.make();
    int focusId = 0;
    UINT defaultId = 0;
    INT_PTR result = RunModal(*dialog, [&] {
      focusId = FocusedId(*dialog);
      defaultId = dialog->GetDefID();
      PressKey(*dialog, VK_RETURN);
    });
    EXPECT_EQ(c.safeButton, focusId);
    EXPECT_EQ(static_cast<UINT>(c.safeButton), defaultId);
    EXPECT_EQ(-1, result);
  }
  UseBuiltInTemplates();
  ::FreeLibrary(templates);
}

TEST(MsgDialogsBuiltInTest, DialogsOpenFromTheProgramsOwnTemplates) {
  UseBuiltInTemplates();
  CMsgYesNo dialog;
  dialog.m_caption = L"caption";
  dialog.m_text = L"text";
  std::wstring yes, text;
  INT_PTR result = RunModal(dialog, [&] {
    yes = dialog.GetDlgItemText(IDC_YES_NO_YES);
    text = dialog.GetDlgItemText(IDC_YES_NO_TEXT);
    SaveWindowPng(dialog, L"msg_yes_no_builtin");
    Click(dialog, IDC_YES_NO_YES);
  });
  EXPECT_EQ(0, result);
  EXPECT_EQ(L"Yes", yes);
  EXPECT_EQ(L"text", text);
}

}  // namespace

namespace {

TEST(DialogHandlersTest, PagesLoseEnterAndEscapeKeyDownsOnly) {
  struct Case { UINT message; WPARAM key; WPARAM after; };
  const Case cases[] = {
      {WM_KEYDOWN, VK_RETURN, 0}, {WM_KEYDOWN, VK_ESCAPE, 0}, {WM_KEYDOWN, 'A', 'A'},
      {WM_KEYUP, VK_RETURN, VK_RETURN}, {WM_CHAR, VK_ESCAPE, VK_ESCAPE},
  };
  for (const Case& c : cases) {
    MSG msg = {};
    msg.message = c.message;
    msg.wParam = c.key;
    EXPECT_FALSE(SwallowEnterAndEscape(&msg));
    EXPECT_EQ(c.after, msg.wParam) << c.message << " " << c.key;
  }
}

}  // namespace
