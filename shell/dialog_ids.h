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
