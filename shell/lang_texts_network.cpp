// Texts of the My Network page with its computer list, and of the remote-computer dialog.
#include "shell/lang_text_zones.h"

const LangTextEntry kMyNetworkTexts[] = {
    {"TXT_SCAN", L"Scan", L"掃描"},
    {"TXT_START_TO_SCAN", L"Start to scan", L"開始掃描"},
    {"TXT_YES", L"Yes", L"是"},
    {"TXT_NO", L"No", L"否"},
    {"COL_COMP_NAME", L"Computer name", L"電腦名稱"},
    {"COL_IP_ADDR", L"IP address", L"IP 位址"},
    {"COL_LINK", L"Link", L"連線"},
    {"COL_CPU", L"CPU", L"處理器"},
    {"COL_OS", L"OS", L"作業系統"},
    {"TXT_DBL_CLICK_TO_SEL", L"Double click to select service", L"按兩下以選擇服務"},
    {"TXT_FIND_OTHER_COMP", L"Find other computers", L"尋找其他電腦"},
    {"TXT_MANAGE_COMP_LIST", L"Management computer list", L"管理電腦清單"},
    {"TXT_CLR_WOL_STS", L"Clear Wake-on-Lan status", L"清除網路喚醒狀態"},
    {"TXT_CONN_RMT_COMP", L"Connect to remote computer", L"連線到遠端電腦"},
    {"TXT_WOL_OK", L"WOL OK", L"喚醒成功"},
    {"TXT_WOL_FAIL", L"WOL Failed", L"喚醒失敗"},
    {"TXT_BOOTING", L"Booting(%d)", L"開機中(%d)"},
    {"DEL_ALL_RMT_COMP", L"Delete all remote computer", L"刪除所有遠端電腦"},
    {"DEL_THIS_RMT_COMP", L"Delete this remote computer", L"刪除此遠端電腦"},
    {"TO_SAVE_COMP_LIST_AND_SETTING", L"Are you sure to save computer list and setting ?",
     L"確定要儲存電腦清單與設定嗎 ?"},
    {"SAVE", L"Save", L"儲存"},
    {"SAVE_COMP_LIST_AND_SETTING", L"Save computer list and setting...", L"儲存電腦清單與設定..."},
    {"HELP_SCAN_RESP",
     L"Other host could not find this computer if disabled.\r\n"
     L"Suggest : Disable when in public network.",
     L"若停用，其他主機將無法找到這台電腦。\r\n"
     L"建議 : 在公用網路中請停用。"},
    {"TXT_SCAN_RESP", L"Response for scan", L"回應掃描"},
    {nullptr, nullptr, nullptr},
};

const LangTextEntry kRemoteComputerTexts[] = {
    {"HELP_FILE_SHARING",
     L"File sharing could copy file from remote computer.\r\n"
     L" to local computer or vice versa.\r\n"
     L"To enable this function, you need a account with\r\n"
     L" password protected and set sharing folder.",
     L"檔案共用可以從遠端電腦複製檔案\r\n"
     L" 到本機電腦，反之亦然。\r\n"
     L"若要啟用此功能，您需要一個\r\n"
     L" 受密碼保護的帳戶，並設定共用資料夾。"},
    {"TXT_FILE_SHARING", L"File sharing", L"檔案共用"},
    {"TXT_MYNET_SRV", L"My Network Service", L"我的網路服務"},
    {"TXT_BTN_SWIVO", L"Share keyboard and mouse to remote computer (Swivo)",
     L"與遠端電腦共用鍵盤與滑鼠 (Swivo)"},
    {"TXT_BTN_WOL", L"Wake up remote computer (Wake-on-LAN)", L"喚醒遠端電腦 (Wake-on-LAN)"},
    {"TXT_BTN_SHOW_WIN_SRV", L"Show Windows service", L"顯示 Windows 服務"},
    {"TXT_BTN_HIDE_WIN_SRV", L"Hide Windows service", L"隱藏 Windows 服務"},
    {"TXT_CONNECTING", L"Connecting...", L"連線中..."},
    {"TXT_RMT_DESKTOP", L"Remote desktop", L"遠端桌面"},
    {"HELP_RMT_DESKTOP",
     L"Remote desktop could control remote computer\r\n"
     L" from local computer.\r\n"
     L"To enable this function, you need a account with password\r\n"
     L" protected and enable remote desktop from advanced system\r\n"
     L" setting.\r\n"
     L"To do this, Goto Control panel | system |\r\n"
     L" advanced system setting | remote | remote desktop.\r\n"
     L"Then, change the setting.",
     L"遠端桌面可以從本機電腦\r\n"
     L" 控制遠端電腦。\r\n"
     L"若要啟用此功能，您需要一個受密碼\r\n"
     L" 保護的帳戶，並在進階系統設定中\r\n"
     L" 啟用遠端桌面。\r\n"
     L"做法：前往 控制台 | 系統 |\r\n"
     L" 進階系統設定 | 遠端 | 遠端桌面。\r\n"
     L"然後變更設定。"},
    {"TXT_RUN_RMT_DESKTOP", L"Run remote desktop.", L"執行遠端桌面。"},
    {"TXT_WOL", L"Wake-on-LAN", L"網路喚醒"},
    {"HELP_WOL",
     L"WOL is abbreviation for Wake-on-LAN.\r\n"
     L"With WOL, you could power up remote computer from\r\n"
     L" local computer.\r\n"
     L"To enable this function, you need change BIOS setting\r\n"
     L" and network adapter configuration.\r\n"
     L"To change network adapter configuration, goto\r\n"
     L" Control panel | system | device manager |\r\n"
     L" network adapters, choose your network adapter and\r\n"
     L" double click it.\r\n"
     L"Click the power management tab and\r\n"
     L" click on three checkboxes.\r\n"
     L"Sometimes, you need to enable network adapter WOL.\r\n"
     L"To enables this, click the advanced tab and change\r\n"
     L"the WOL setting.",
     L"WOL 是 Wake-on-LAN (網路喚醒) 的縮寫。\r\n"
     L"使用 WOL，您可以從本機電腦\r\n"
     L" 開啟遠端電腦的電源。\r\n"
     L"若要啟用此功能，您需要變更 BIOS 設定\r\n"
     L" 以及網路介面卡的組態。\r\n"
     L"若要變更網路介面卡的組態，請前往\r\n"
     L" 控制台 | 系統 | 裝置管理員 |\r\n"
     L" 網路介面卡，選擇您的網路介面卡並\r\n"
     L" 按兩下它。\r\n"
     L"按一下「電源管理」索引標籤，\r\n"
     L" 並勾選三個核取方塊。\r\n"
     L"有時您需要啟用網路介面卡的 WOL。\r\n"
     L"若要啟用，請按一下「進階」索引標籤並變更\r\n"
     L"WOL 設定。"},
    {"TXT_WOL_MSG", L"Wake the computer.", L"喚醒電腦。"},
    {nullptr, nullptr, nullptr},
};
