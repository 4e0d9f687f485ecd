// Every dialog and control id that the program's code names exists, with the role the code gives
// it, in both language libraries and in the templates built into the program; so do the tray
// menu's commands and the program icon. Each area of the program adds its dialogs to the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>
#include "shell/dialog_ids.h"
#include "tests/shell/dialog_template_reader.h"
#include "tests/shell/lang_library.h"

namespace {

enum class Role { Label, PushButton, ReadOnlyMultiLineEdit };

struct ExpectedControl {
  uint32_t id;
  Role role;
};

struct ExpectedDialog {
  UINT id;
  const char* name;
  std::vector<ExpectedControl> controls;
};

const std::vector<ExpectedDialog>& ExpectedDialogs() {
  static const std::vector<ExpectedDialog> dialogs = {
      {IDD_MAIN, "main dialog", {{IDC_MAIN_TAB_PLACEHOLDER, Role::Label}}},
      {IDD_ABOUT, "CAboutDlg", {{IDOK, Role::PushButton}}},
      {IDD_SHOW_MSG, "CShowMsgDlg",
       {{IDC_SHOW_MSG_LINE1, Role::Label}, {IDC_SHOW_MSG_LINE2, Role::Label}, {IDC_SHOW_MSG_CUSTOM, Role::PushButton}}},
      {IDD_NETWORK_CABLE, "CNetworkCable",
       {{IDC_CABLE_CONTINUE, Role::PushButton}, {IDC_CABLE_IGNORE, Role::PushButton}, {IDC_CABLE_CANCEL, Role::PushButton}}},
      {IDD_HELP_MSG, "CHelpMsg",
       {{IDC_HELP_HEADING, Role::Label}, {IDC_HELP_BODY, Role::ReadOnlyMultiLineEdit}, {IDOK, Role::PushButton}}},
      {IDD_MSG_OK, "CMsgOkDlg", {{IDC_MSG_OK_TEXT, Role::Label}, {IDOK, Role::PushButton}}},
      {IDD_MSG_YES_NO, "CMsgYesNo",
       {{IDC_YES_NO_TEXT, Role::Label}, {IDC_YES_NO_YES, Role::PushButton}, {IDC_YES_NO_NO, Role::PushButton}}},
      {IDD_MSG_TOP_NUM, "CMsgTopNumBigFontSize", {{IDC_TOP_NUM_LABEL, Role::Label}}},
  };
  return dialogs;
}

bool HasRole(const TemplateControl& control, Role role) {
  switch (role) {
    case Role::Label:
      return control.windowClass == L"Static";
    case Role::PushButton: {
      DWORD kind = control.style & BS_TYPEMASK;
      return control.windowClass == L"Button" && (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON);
    }
    case Role::ReadOnlyMultiLineEdit:
      return control.windowClass == L"Edit" && (control.style & ES_READONLY) && (control.style & ES_MULTILINE);
  }
  return false;
}

struct Source {
  const char* name;
  HMODULE module;
};

class ResourceIdsTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    if (GetParam() < 2) {
      std::wstring path = ProgramFolder() + L"\\" + kLangLibraries[GetParam()].file;
      module_ = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
      owned_ = true;
      ASSERT_NE(nullptr, module_) << "cannot load the language library";
    } else {
      module_ = ::GetModuleHandleW(nullptr);  // the built-in templates
    }
  }
  void TearDown() override {
    if (owned_ && module_) ::FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
  bool owned_ = false;
};

TEST_P(ResourceIdsTest, EveryNamedDialogHasItsControlsWithTheirRoles) {
  for (const ExpectedDialog& expected : ExpectedDialogs()) {
    std::optional<DialogTemplate> dialog = ReadDialogTemplate(module_, expected.id);
    ASSERT_TRUE(dialog.has_value()) << expected.name << " (" << expected.id << ") missing";
    for (const ExpectedControl& control : expected.controls) {
      const TemplateControl* found = nullptr;
      int copies = 0;
      for (const TemplateControl& c : dialog->controls) {
        if (c.id == control.id) { found = &c; ++copies; }
      }
      ASSERT_NE(nullptr, found) << expected.name << ": control " << control.id << " missing";
      EXPECT_EQ(1, copies) << expected.name << ": control " << control.id << " more than once";
      EXPECT_TRUE(HasRole(*found, control.role)) << expected.name << ": control " << control.id << " has another role";
    }
  }
}

TEST_P(ResourceIdsTest, TrayMenuAndProgramIconExist) {
  HMENU menu = ::LoadMenuW(module_, MAKEINTRESOURCEW(IDR_TRAY_MENU));
  ASSERT_NE(nullptr, menu);
  HMENU popup = ::GetSubMenu(menu, 0);
  ASSERT_NE(nullptr, popup);
  std::vector<UINT> commands;
  for (int i = 0; i < ::GetMenuItemCount(popup); ++i) commands.push_back(::GetMenuItemID(popup, i));
  EXPECT_NE(commands.end(), std::find(commands.begin(), commands.end(), static_cast<UINT>(ID_TRAY_ABOUT)));
  EXPECT_NE(commands.end(), std::find(commands.begin(), commands.end(), static_cast<UINT>(ID_TRAY_QUIT)));
  ::DestroyMenu(menu);
  EXPECT_NE(nullptr, ::FindResourceW(module_, MAKEINTRESOURCEW(IDI_PROGRAM), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */));
}

std::string SourceName(const ::testing::TestParamInfo<int>& info) {
  static const char* const kNames[] = {"English", "Chinese", "BuiltIn"};
  return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(EachSource, ResourceIdsTest, ::testing::Values(0, 1, 2), SourceName);

}  // namespace
