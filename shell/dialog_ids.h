// Resource ids shared by the program's code, its built-in templates and the language libraries.
// Plain #defines: the resource compiler reads this file too.
#pragma once

// Program icon and the tray's popup menu.
#define IDI_PROGRAM 128
#define IDR_TRAY_MENU 139
#define ID_TRAY_ABOUT 32776
#define ID_TRAY_QUIT 32773

// Main dialog and the placeholder the tab control is laid over.
#define IDD_MAIN 102
#define IDC_MAIN_TAB_PLACEHOLDER 1006

// About box.
#define IDD_ABOUT 100

// Status box (modeless): two lines and an optional custom button.
#define IDD_SHOW_MSG 138
#define IDC_SHOW_MSG_LINE1 1046
#define IDC_SHOW_MSG_LINE2 1047
#define IDC_SHOW_MSG_CUSTOM 1000

// Network link check.
#define IDD_NETWORK_CABLE 145
#define IDC_CABLE_CONTINUE 1043
#define IDC_CABLE_IGNORE 1044
#define IDC_CABLE_CANCEL 1008

// Help text box.
#define IDD_HELP_MSG 147
#define IDC_HELP_HEADING 1066
#define IDC_HELP_BODY 1021

// Version page (a tab page), its change-log dialog, and the Help page with its link icon.
#define IDD_UPDATE 140
#define IDC_UPDATE_CHECK 1033
#define IDC_UPDATE_NEW_VERSION 1022
#define IDC_UPDATE_WHATS_NEW 1035
#define IDC_UPDATE_NEW_GROUP 1070
#define IDC_UPDATE_CURRENT_VERSION 1021
#define IDC_UPDATE_GOTO_DOWNLOAD 1000
#define IDC_UPDATE_NEW_LABEL 1090
#define IDC_UPDATE_LANGUAGE 1020
#define IDD_WHATS_NEW 142
#define IDC_WHATS_NEW_LIST 1034
#define IDC_WHATS_NEW_VERSION 1070
#define IDC_WHATS_NEW_LOG_LABEL 1094
#define IDD_HELP_PAGE 152
#define IDC_HELP_INST_DRV_TEXT 1071
#define IDC_HELP_LB_TEXT 1072
#define IDC_HELP_WOL_TEXT 1073
#define IDC_HELP_SWIVO_TEXT 1074
#define IDC_HELP_WEB_SITE 1003
#define IDC_HELP_PAGE_BUTTON 1004
#define IDC_HELP_INST_DRV 1000
#define IDC_HELP_SWIVO 1005
#define IDC_HELP_LB 1001
#define IDC_HELP_WOL 1002
#define IDC_HELP_CONTACT 1075
#define IDI_WEB_LINK 162

// OK message and Yes/No question.
#define IDD_MSG_OK 150
#define IDC_MSG_OK_TEXT 1059
#define IDD_MSG_YES_NO 151
#define IDC_YES_NO_TEXT 1069
#define IDC_YES_NO_YES 1067
#define IDC_YES_NO_NO 1068

// Big number box of the Swivo controller.
#define IDD_MSG_TOP_NUM 165
#define IDC_TOP_NUM_LABEL 1119
