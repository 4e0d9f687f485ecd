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

// Driver page (a tab page) and the dialogs it opens: the installation wizard's three steps, the
// removal dialog, the advanced configuration and the address dialogs.
#define IDD_DRIVER_PAGE 136
#define IDC_DRV_PHYSICAL_NAME 1022
#define IDC_DRV_VIRTUAL_LIST 1016
#define IDC_DRV_STATUS 1027
#define IDC_DRV_INSTALL 1026
#define IDC_DRV_REMOVE 1007
#define IDC_DRV_ADVANCED 1000

#define IDD_INST_DRV 130
#define IDC_INST_WIRED 1096
#define IDC_INST_WIRELESS 1097
#define IDC_INST_ADAPTER_LIST 1005
#define IDC_INST_ADAPTER_NAME 1031
#define IDC_INST_SETTINGS_GROUP 1098
#define IDC_INST_NETWORK_NAME_LABEL 1099
#define IDC_INST_NETWORK_NAME 1014
#define IDC_INST_FORCE_SUBNET 1055
#define IDC_INST_HELP 1021
#define IDC_INST_IP_LABEL 1100
#define IDC_INST_IP 1017
#define IDC_INST_MAC_LABEL 1101
#define IDC_INST_MAC 1016
#define IDC_INST_CHANGE_MAC 1054
#define IDC_INST_NEXT 1029

#define IDD_INST_DRV_TYPE 164
#define IDC_TYPE_QVX 1105
#define IDC_TYPE_DUAL_LAN 1106
#define IDC_TYPE_DIRECT_CONN 1107
#define IDC_TYPE_ROUTER_DHCP 1108
#define IDC_TYPE_HINT 1109
#define IDC_TYPE_PICTURE 1110
#define IDC_TYPE_NEXT 1029

#define IDD_INST_DRV_PROG 137
#define IDC_PROG_INSTALL 1029
#define IDC_PROG_PROGRESS 1030
#define IDC_PROG_ENVIRONMENT 1022
#define IDC_PROG_ENVIRONMENT_LABEL 1103
#define IDC_PROG_COUNT 1020
#define IDC_PROG_COUNT_LABEL 1104
#define IDC_PROG_HELP 1014
#define IDC_PROG_SHARED 1025
#define IDC_PROG_LINK_LABEL 1102
#define IDC_PROG_EXIT 1008

#define IDD_RMV_DRV 131
#define IDC_RMV_REMOVE 1007
#define IDC_RMV_PROGRESS 1022
#define IDC_RMV_EXIT 1008

#define IDD_ADV_CFG 139
#define IDC_ADV_NOTICE 1023
#define IDC_ADV_TEXT 1022
#define IDC_ADV_RESOLVE_IP 1033
#define IDC_ADV_RESOLVE_MAC 1035

#define IDD_CHG_IP 149
#define IDC_CHGIP_HELP 1021
#define IDC_CHGIP_OLD 1061
#define IDC_CHGIP_PREFIX 1014
#define IDC_CHGIP_HOST 1058
#define IDC_CHGIP_RESET 1062
#define IDC_CHGIP_CANCEL 1008

#define IDD_CHG_MAC 148
#define IDC_CHGMAC_HELP 1021
#define IDC_CHGMAC_OLD 1060
#define IDC_CHGMAC_OCTET2 1014
#define IDC_CHGMAC_OCTET3 1015
#define IDC_CHGMAC_OCTET4 1016
#define IDC_CHGMAC_OCTET5 1017
#define IDC_CHGMAC_RESET 1057
#define IDC_CHGMAC_CANCEL 1008

#define IDD_CHG_STATIC_IP 153
#define IDC_STATIC_ADAPTER 1020
#define IDC_STATIC_IP_PREFIX 1072
#define IDC_STATIC_IP3 1059
#define IDC_STATIC_IP4 1058
#define IDC_STATIC_GW_PREFIX 1074
#define IDC_STATIC_GW3 1062
#define IDC_STATIC_GW4 1060
#define IDC_STATIC_DNS1 1066
#define IDC_STATIC_DNS2 1065
#define IDC_STATIC_DNS3 1064
#define IDC_STATIC_DNS4 1063
#define IDC_STATIC_MASK 1073
#define IDC_STATIC_GW_TOGGLE 1000
#define IDC_STATIC_CANCEL 1008
#define IDI_FORCE_SUBNET IDI_WEB_LINK
