// Texts of the main dialog and tray, the Help page, and the Routing and Version pages with the
// small dialogs they open (network cable, removal, scan results, language switch, change log).
#include "shell/lang_text_zones.h"

const LangTextEntry kMainDialogTexts[] = {
    {"ABOUT", L"About", L"關於"},
    {"TAB_MY_NET", L"My Network", L"我的網路"},
    {"TAB_SWIVO", L"Swivo", L"Swivo"},
    {"TAB_STATUS", L"Status", L"狀態"},
    {"TAB_ROUTING", L"Routing", L"路由"},
    {"TAB_DRV", L"Driver", L"驅動程式"},
    {"TAB_VER", L"Version", L"版本"},
    {"TAB_HELP", L"Help", L"說明"},
    {"TITLE_QVX", L"Corvane", L"Corvane"},
    {"MENU_QUIT_QVX", L"Quit Corvane", L"結束 Corvane"},
    {"TXT_OS_NOT_SUPP", L"OS is not supported", L"不支援此作業系統"},
    {"TXT_LOADING", L"Loading...", L"載入中..."},
    {"TXT_QVX_RUNNING", L"Corvane is running", L"Corvane 正在執行"},
    {nullptr, nullptr, nullptr},
};

const LangTextEntry kHelpPageTexts[] = {
    {"TXT_INST_DRV_FIRST", L"Before use load balancing and traffic monitor, please install driver first.",
     L"使用負載平衡與流量監控之前，請先安裝驅動程式。"},
    {"TXT_SWIVO", L"Swivo could share keyboard and mouse among computers.",
     L"Swivo 可以在多台電腦之間共用鍵盤與滑鼠。"},
    {"TXT_LB", L"Load balancing could use multiple IP for internet access.",
     L"負載平衡可以使用多個 IP 存取網際網路。"},
    {"TXT_WOL", L"You could power up remote computer from local computer by Wake-on-LAN.",
     L"您可以透過網路喚醒 (Wake-on-LAN) 從本機電腦開啟遠端電腦的電源。"},
    {nullptr, nullptr, nullptr},
};

const LangTextEntry kRoutingVersionTexts[] = {
    {"SAVE", L"Save", L"儲存"},
    {"TITLE_SWITCH_LANG", L"Switch language", L"切換語言"},
    {"TO_SWITCH_LANG", L"Are you sure to switch language ?", L"確定要切換語言嗎 ?"},
    {"SAVE_LANG_SETTING", L"Save language setting...", L"儲存語言設定..."},
    {"TITLE_LINK_CHECK", L"Network link check", L"網路連線檢查"},
    {"TXT_LINK_DETECTED", L"Network cable detected...", L"已偵測到網路線..."},
    {"TXT_NOLINK", L"No network cable...", L"未偵測到網路線..."},
    {"TXT_SCAN_COMP_WIFI", L"Scan computers... %d", L"掃描電腦中... %d"},
    {"TXT_SCAN_COMP", L"Scan computers %d/%d", L"掃描電腦 %d/%d"},
    {"TXT_REMOVING", L"Removing", L"移除中"},
    {"TXT_DRV_REMOVED", L"Driver removed", L"驅動程式已移除"},
    {"TXT_CHG_LOG", L"Change Log", L"變更記錄"},
    {"TXT_QVX_VER", L"Corvane Version : ", L"Corvane 版本 : "},
    {"TITLE_VER", L"Version", L"版本"},
    {"TXT_NEW_VER", L"New version is available.", L"有新版本可以使用。"},
    {"TXT_CHK_FOR_UPDATE", L"Checking for update.", L"正在檢查更新。"},
    {"TXT_VER_LATEST", L"Your version is the latest version.", L"您的版本已是最新版本。"},
    {"COL_GATEWAY", L"Gateway", L"閘道"},
    {"COL_IP_ADDR", L"IP address", L"IP 位址"},
    {"COL_ADAPT_NAME", L"Adapter name", L"介面卡名稱"},
    {"TITLE_LB", L"Load balancing", L"負載平衡"},
    {"TXT_LB", L"How to use load balancing", L"如何使用負載平衡"},
    {"HELP_LB",
     L"Almost free web download service limit single connection\r\n"
     L" for one IP address.\r\n"
     L"To break the limit, you could change the default gateway.\r\n"
     L"While you are downloading via virtual adapter 1,\r\n"
     L" you could change the default gateway to\r\n"
     L" virtual adapter 2 to start another download.\r\n"
     L"You could click the next gateway button to do this\r\n"
     L" automatically",
     L"大部分免費的網路下載服務\r\n"
     L" 會限制每個 IP 位址只能有單一連線。\r\n"
     L"若要突破此限制，您可以變更預設閘道。\r\n"
     L"當您正透過虛擬介面卡 1 下載時，\r\n"
     L" 您可以將預設閘道變更為\r\n"
     L" 虛擬介面卡 2 以開始另一個下載。\r\n"
     L"您可以按下「下一個閘道」按鈕\r\n"
     L" 自動完成此動作"},
    {"TXT_CHG_DEF_ROUTING", L"Change default routing", L"變更預設路由"},
    {nullptr, nullptr, nullptr},
};
