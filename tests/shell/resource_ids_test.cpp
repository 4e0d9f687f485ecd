// Every dialog and control id that the program's code names exists, with the role the code gives
// it, in both language libraries and in the templates built into the program; so do the tray
// menu's commands and the program icon. Each area of the program adds its dialogs to the table.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

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
  ListInFileOrder,  // a list box that does not sort
  Edit,             // an edit the user types into
  ReportList,       // a list view
  Radio,
  CheckBox,
  Picture           // a static control the code paints into
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
      {IDD_DRIVER_PAGE, "CDriverPage",
       {{IDC_DRV_PHYSICAL_NAME, Role::ReadOnlyEdit}, {IDC_DRV_VIRTUAL_LIST, Role::ReportList},
        {IDC_DRV_STATUS, Role::ReadOnlyEdit}, {IDC_DRV_INSTALL, Role::PushButton},
        {IDC_DRV_REMOVE, Role::PushButton}, {IDC_DRV_ADVANCED, Role::PushButton}}},
      {IDD_INST_DRV, "CInstDrv",
       {{IDC_INST_WIRED, Role::Radio}, {IDC_INST_WIRELESS, Role::Radio}, {IDC_INST_ADAPTER_LIST, Role::ReportList},
        {IDC_INST_ADAPTER_NAME, Role::ReadOnlyEdit}, {IDC_INST_SETTINGS_GROUP, Role::GroupBox},
        {IDC_INST_NETWORK_NAME_LABEL, Role::Label}, {IDC_INST_NETWORK_NAME, Role::Edit},
        {IDC_INST_FORCE_SUBNET, Role::OwnerDrawButton}, {IDC_INST_HELP, Role::ReadOnlyMultiLineEdit},
        {IDC_INST_IP_LABEL, Role::Label}, {IDC_INST_IP, Role::ReadOnlyEdit}, {IDC_INST_MAC_LABEL, Role::Label},
        {IDC_INST_MAC, Role::ReadOnlyEdit}, {IDC_INST_CHANGE_MAC, Role::PushButton},
        {IDC_INST_NEXT, Role::PushButton}}},
      {IDD_INST_DRV_TYPE, "CInstDrvType",
       {{IDC_TYPE_QVX, Role::Radio}, {IDC_TYPE_DUAL_LAN, Role::Radio}, {IDC_TYPE_DIRECT_CONN, Role::Radio},
        {IDC_TYPE_ROUTER_DHCP, Role::Radio}, {IDC_TYPE_HINT, Role::ReadOnlyMultiLineEdit},
        {IDC_TYPE_PICTURE, Role::Picture}, {IDC_TYPE_NEXT, Role::PushButton}}},
      {IDD_INST_DRV_PROG, "CInstDrvProg",
       {{IDC_PROG_INSTALL, Role::PushButton}, {IDC_PROG_PROGRESS, Role::ReadOnlyEdit},
        {IDC_PROG_ENVIRONMENT, Role::DropDownList}, {IDC_PROG_ENVIRONMENT_LABEL, Role::Label},
        {IDC_PROG_COUNT, Role::DropDownList}, {IDC_PROG_COUNT_LABEL, Role::Label},
        {IDC_PROG_HELP, Role::ReadOnlyMultiLineEdit}, {IDC_PROG_SHARED, Role::CheckBox},
        {IDC_PROG_LINK_LABEL, Role::Label}, {IDC_PROG_EXIT, Role::PushButton}}},
      {IDD_RMV_DRV, "CRmvDrv",
       {{IDC_RMV_REMOVE, Role::PushButton}, {IDC_RMV_PROGRESS, Role::ReadOnlyEdit}, {IDC_RMV_EXIT, Role::PushButton}}},
      {IDD_ADV_CFG, "CAdvCfg",
       {{IDC_ADV_NOTICE, Role::ReadOnlyMultiLineEdit}, {IDC_ADV_TEXT, Role::ReadOnlyEdit},
        {IDC_ADV_RESOLVE_IP, Role::PushButton}, {IDC_ADV_RESOLVE_MAC, Role::PushButton}}},
      {IDD_CHG_IP, "CChgIp",
       {{IDC_CHGIP_HELP, Role::ReadOnlyMultiLineEdit}, {IDC_CHGIP_OLD, Role::Label},
        {IDC_CHGIP_PREFIX, Role::ReadOnlyEdit}, {IDC_CHGIP_HOST, Role::Edit}, {IDC_CHGIP_RESET, Role::PushButton},
        {IDOK, Role::PushButton}, {IDC_CHGIP_CANCEL, Role::PushButton}}},
      {IDD_CHG_MAC, "CChgMac",
       {{IDC_CHGMAC_HELP, Role::ReadOnlyMultiLineEdit}, {IDC_CHGMAC_OLD, Role::Label},
        {IDC_CHGMAC_OCTET2, Role::Edit}, {IDC_CHGMAC_OCTET3, Role::Edit}, {IDC_CHGMAC_OCTET4, Role::Edit},
        {IDC_CHGMAC_OCTET5, Role::Edit}, {IDC_CHGMAC_RESET, Role::PushButton}, {IDOK, Role::PushButton},
        {IDC_CHGMAC_CANCEL, Role::PushButton}}},
      {IDD_CHG_STATIC_IP, "CChgStaticIp",
       {{IDC_STATIC_ADAPTER, Role::DropDownList}, {IDC_STATIC_IP_PREFIX, Role::ReadOnlyEdit},
        {IDC_STATIC_IP3, Role::Edit}, {IDC_STATIC_IP4, Role::Edit}, {IDC_STATIC_GW_PREFIX, Role::ReadOnlyEdit},
        {IDC_STATIC_GW3, Role::Edit}, {IDC_STATIC_GW4, Role::Edit}, {IDC_STATIC_DNS1, Role::Edit},
        {IDC_STATIC_DNS2, Role::Edit}, {IDC_STATIC_DNS3, Role::Edit}, {IDC_STATIC_DNS4, Role::Edit},
        {IDC_STATIC_MASK, Role::ReadOnlyEdit}, {IDC_STATIC_GW_TOGGLE, Role::PushButton}, {IDOK, Role::PushButton},
        {IDC_STATIC_CANCEL, Role::PushButton}}},
      {IDD_STATUS_PAGE, "CStatus",
       {{IDC_STS_ADAPTER_LIST, Role::ReportList}, {IDC_STS_TOTAL_GRAPH, Role::Picture},
        {IDC_STS_TXRX_GRAPH, Role::Picture}, {IDC_STS_SCALE, Role::Label}, {IDC_STS_TXRX, Role::CheckBox},
        {IDC_STS_LEGEND, Role::Label}, {IDC_STS_SELECTION, Role::ReadOnlyEdit}, {IDC_STS_FILTER, Role::DropDownList},
        {IDC_STS_UNIT, Role::DropDownList}, {IDC_STS_CONNECTION, Role::PushButton}}},
      {IDD_STS_CONN, "CStsConn",
       {{IDC_CONN_APP_LIST, Role::ReportList}, {IDC_CONN_LIST, Role::ReportList},
        {IDC_CONN_ADAPTER, Role::DropDownList}, {IDC_CONN_PROTOCOL, Role::DropDownList},
        {IDC_CONN_PERIOD, Role::DropDownList}, {IDC_CONN_UNIT, Role::DropDownList},
        {IDC_CONN_HOSTNAME, Role::CheckBox}, {IDC_CONN_APP_NAME, Role::ReadOnlyEdit},
        {IDC_CONN_ADJUST_WIDTH, Role::PushButton}, {IDC_CONN_LOG, Role::PushButton}}},
      {IDD_LOGS, "CLogs", {{IDC_LOG_LIST, Role::ReportList}, {IDC_LOG_CLEAR, Role::PushButton}}},
      {IDD_ROUTING_PAGE, "CConfig",
       {{IDC_RT_ADAPTER_LIST, Role::ReportList}, {IDC_RT_SHOW_ALL, Role::CheckBox},
        {IDC_RT_NEXT_GATEWAY, Role::PushButton}, {IDC_RT_SHOW_IP, Role::PushButton},
        {IDC_RT_NETWORK_CONFIG, Role::PushButton}, {IDC_RT_EDIT_STATIC_IP, Role::PushButton},
        {IDC_RT_HELP, Role::OwnerDrawButton}}},
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
    case Role::Edit:
      return control.windowClass == L"Edit" && !(control.style & ES_READONLY);
    case Role::ReportList:
      return _wcsicmp(control.windowClass.c_str(), L"SysListView32") == 0 && (control.style & LVS_TYPEMASK) == LVS_REPORT;
    case Role::Radio:
      return _wcsicmp(control.windowClass.c_str(), L"Button") == 0 && (control.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
    case Role::CheckBox:
      return _wcsicmp(control.windowClass.c_str(), L"Button") == 0 && (control.style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
    case Role::Picture:
      return _wcsicmp(control.windowClass.c_str(), L"Static") == 0;
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
      std::wstring path = BuiltProgramFolder() + L"\\" + kLangLibraries[GetParam()].file;
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
  for (UINT id : {IDD_UPDATE, IDD_HELP_PAGE, IDD_STATUS_PAGE, IDD_ROUTING_PAGE}) {
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
