// Dialogs from the test's own template, modal and modeless, driven by posted input: their
// results, the walk of PreTranslateMessage in the modal loop, and quits inside nested dialogs.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>
#include "framework/framework.h"

namespace {

constexpr UINT kTemplate = 900;

// A dialog that runs a script once it is up (posted, so that it runs inside the modal loop).
class ScriptedDialog : public CDialog {
 public:
  std::function<void(ScriptedDialog&)> script;
  std::vector<std::string>* endings = nullptr;
  std::string name;
  CEdit edit;
  int preTranslated = 0;
  explicit ScriptedDialog(CWnd* parent = nullptr) : CDialog(kTemplate, parent) {
    MapMessage(WM_APP, [this](WPARAM, LPARAM) {
      if (script) script(*this);
      return LRESULT(0);
    });
  }
  void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, 1003, edit); }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    PostMessage(WM_APP);
    return TRUE;
  }
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN) ++preTranslated;
    return CDialog::PreTranslateMessage(msg);
  }
  void OnDestroy() override {
    if (endings) endings->push_back(name);
    CDialog::OnDestroy();
  }
};

// Keys posted to the edit field go through the modal loop's walk to IsDialogMessage.
void PostKey(HWND window, UINT key) {
  ::PostMessageW(window, WM_KEYDOWN, key, 1);
  ::PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

TEST(DialogTest, ModalResultsOfScriptedInput) {
  struct Case {
    const char* what;
    std::function<void(ScriptedDialog&)> script;
    INT_PTR expected;
  };
  const Case cases[] = {
      {"OK clicked", [](ScriptedDialog& d) { ::PostMessageW(d.GetDlgItemHandle(IDOK), BM_CLICK, 0, 0); }, IDOK},
      {"Cancel clicked", [](ScriptedDialog& d) { ::PostMessageW(d.GetDlgItemHandle(IDCANCEL), BM_CLICK, 0, 0); }, IDCANCEL},
      {"Enter in the edit field: the default button", [](ScriptedDialog& d) { PostKey(d.edit, VK_RETURN); }, IDOK},
      {"Escape", [](ScriptedDialog& d) { PostKey(d.edit, VK_ESCAPE); }, IDCANCEL},
      {"closed", [](ScriptedDialog& d) { d.PostMessage(WM_CLOSE); }, IDCANCEL},
      {"EndDialog with a value", [](ScriptedDialog& d) { d.EndDialog(-2); }, -2},
  };
  for (const Case& c : cases) {
    ScriptedDialog dialog;
    dialog.script = c.script;
    EXPECT_EQ(c.expected, dialog.DoModal()) << c.what;
    EXPECT_EQ(nullptr, dialog.GetSafeHwnd()) << c.what;
  }
}

TEST(DialogTest, ModalLoopWalksPreTranslateMessageFromTheControlUp) {
  ScriptedDialog dialog;
  dialog.script = [](ScriptedDialog& d) { PostKey(d.edit, VK_ESCAPE); };
  EXPECT_EQ(IDCANCEL, dialog.DoModal());
  EXPECT_GE(dialog.preTranslated, 1);
}

TEST(DialogTest, OwnerIsDisabledWhileModalAndEnabledAfter) {
  CDialog owner(kTemplate);
  ASSERT_TRUE(owner.Create(kTemplate, nullptr));
  ScriptedDialog dialog(&owner);
  bool ownerEnabledInside = true;
  dialog.script = [&](ScriptedDialog& d) {
    ownerEnabledInside = owner.IsWindowEnabled();
    d.EndDialog(IDOK);
  };
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_FALSE(ownerEnabledInside);
  EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(DialogTest, MissingTemplateGivesMinusOne) {
  CDialog dialog(12345);
  EXPECT_EQ(-1, dialog.DoModal());
  EXPECT_FALSE(dialog.Create(12345, nullptr));
}

TEST(DialogTest, QuitEndsNestedDialogsInnermostFirstAndReachesTheOuterLoop) {
  std::vector<std::string> endings;
  ScriptedDialog outer;
  outer.name = "outer";
  outer.endings = &endings;
  INT_PTR innerResult = 0;
  outer.script = [&](ScriptedDialog&) {
    ScriptedDialog inner;
    inner.name = "inner";
    inner.endings = &endings;
    inner.script = [](ScriptedDialog&) { ::PostQuitMessage(5); };
    innerResult = inner.DoModal();
  };
  EXPECT_EQ(-1, outer.DoModal());
  EXPECT_EQ(-1, innerResult);
  EXPECT_EQ((std::vector<std::string>{"inner", "outer"}), endings);
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(5u, msg.wParam);
}

TEST(DialogTest, ModelessDialogBindsItsControlsAndGoesOnDestroy) {
  ScriptedDialog dialog;
  ASSERT_TRUE(dialog.Create(kTemplate, nullptr));
  EXPECT_NE(nullptr, dialog.edit.GetSafeHwnd());  // DDX_Control in OnInitDialog
  EXPECT_EQ(&dialog.edit, CWnd::FromHandlePermanent(dialog.GetDlgItemHandle(1003)));
  EXPECT_EQ(static_cast<UINT>(IDOK), dialog.GetDefID());
  ASSERT_TRUE(dialog.DestroyWindow());
  EXPECT_EQ(nullptr, dialog.GetSafeHwnd());
  EXPECT_EQ(nullptr, dialog.edit.GetSafeHwnd());
}

}  // namespace
