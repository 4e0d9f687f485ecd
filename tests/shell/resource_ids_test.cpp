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

enum class Role {
  Label,
  PushButton,
  OwnerDrawButton,
  GroupBox,
  ReadOnlyEdit,
  ReadOnlyMultiLineEdit,
  DropDownList,    // a combo box that only chooses
  ListInFileOrder  // a list box that does not sort
};

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
      {IDD_UPDATE, "CUpdate",
       {{IDC_UPDATE_CHECK, Role::PushButton}, {IDC_UPDATE_NEW_VERSION, Role::ReadOnlyEdit},
        {IDC_UPDATE_WHATS_NEW, Role::PushButton}, {IDC_UPDATE_NEW_GROUP, Role::GroupBox},
        {IDC_UPDATE_CURRENT_VERSION, Role::ReadOnlyEdit}, {IDC_UPDATE_GOTO_DOWNLOAD, Role::PushButton},
        {IDC_UPDATE_NEW_LABEL, Role::Label}, {IDC_UPDATE_LANGUAGE, Role::DropDownList}}},
      {IDD_WHATS_NEW, "CWhatsNew",
       {{IDC_WHATS_NEW_LIST, Role::ListInFileOrder}, {IDC_WHATS_NEW_VERSION, Role::Label},
        {IDC_WHATS_NEW_LOG_LABEL, Role::Label}, {IDOK, Role::PushButton}}},
      {IDD_HELP_PAGE, "CHelpPage",
       {{IDC_HELP_INST_DRV_TEXT, Role::ReadOnlyMultiLineEdit}, {IDC_HELP_LB_TEXT, Role::ReadOnlyMultiLineEdit},
        {IDC_HELP_WOL_TEXT, Role::ReadOnlyMultiLineEdit}, {IDC_HELP_SWIVO_TEXT, Role::ReadOnlyMultiLineEdit},
        {IDC_HELP_WEB_SITE, Role::PushButton}, {IDC_HELP_PAGE_BUTTON, Role::PushButton},
        {IDC_HELP_INST_DRV, Role::OwnerDrawButton}, {IDC_HELP_SWIVO, Role::OwnerDrawButton},
        {IDC_HELP_LB, Role::OwnerDrawButton}, {IDC_HELP_WOL, Role::OwnerDrawButton},
        {IDC_HELP_CONTACT, Role::ReadOnlyEdit}}},
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
    case Role::OwnerDrawButton:
      return control.windowClass == L"Button" && (control.style & BS_TYPEMASK) == BS_OWNERDRAW;
    case Role::GroupBox:
      return control.windowClass == L"Button" && (control.style & BS_TYPEMASK) == BS_GROUPBOX;
    case Role::ReadOnlyEdit:
      return control.windowClass == L"Edit" && (control.style & ES_READONLY);
    case Role::ReadOnlyMultiLineEdit:
      return control.windowClass == L"Edit" && (control.style & ES_READONLY) && (control.style & ES_MULTILINE);
    case Role::DropDownList:
      return control.windowClass == L"ComboBox" && (control.style & 0x3) == CBS_DROPDOWNLIST;
    case Role::ListInFileOrder:
      return control.windowClass == L"ListBox" && !(control.style & LBS_SORT);
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

// The tab pages are children of the main dialog's tab control; the rest are windows of their own.
TEST_P(ResourceIdsTest, TabPagesAreChildWindowsWithoutCaption) {
  for (UINT id : {IDD_UPDATE, IDD_HELP_PAGE}) {
    std::optional<DialogTemplate> dialog = ReadDialogTemplate(module_, id);
    ASSERT_TRUE(dialog.has_value()) << id;
    EXPECT_TRUE(dialog->style & WS_CHILD) << id;
    EXPECT_FALSE(dialog->style & WS_POPUP) << id;
    EXPECT_NE(static_cast<DWORD>(WS_CAPTION), dialog->style & WS_CAPTION) << id;
  }
}

TEST_P(ResourceIdsTest, LinkIconLoadsAtSixteenPixels) {
  HICON icon = static_cast<HICON>(
      ::LoadImageW(module_, MAKEINTRESOURCEW(IDI_WEB_LINK), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
  ASSERT_NE(nullptr, icon);
  ICONINFO info = {};
  ASSERT_TRUE(::GetIconInfo(icon, &info));
  BITMAP colour = {};
  ::GetObjectW(info.hbmColor, sizeof(colour), &colour);
  EXPECT_EQ(16, colour.bmWidth);
  EXPECT_EQ(16, colour.bmHeight);
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  ::DestroyIcon(icon);
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
