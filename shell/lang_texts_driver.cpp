// Texts of the Driver page, the advanced-configuration and address dialogs, and the progress lines
// of the installation and removal steps.
#include "shell/lang_text_zones.h"

const LangTextEntry kDriverPageTexts[] = {
    {"TXT_DRV_INSTALLED", L"Driver is installed.", L"驅動程式已安裝。"},
    {"TXT_DRV_NOT_INSTALLED", L"Driver is not installed.", L"驅動程式尚未安裝。"},
    {"TXT_CLICK_BTN_TO_INST_DRV_FIRST", L"Please click button to install driver first.",
     L"請先按下按鈕安裝驅動程式。"},
    {"TXT_DUP_NETWORK_NAME", L"Duplicated network adapter name.", L"網路介面卡名稱重複。"},
    {"TXT_DUP_NETWORK_NAME_MSG",
     L"System has duplicated network adapter name. Please keep original installed NIC and disable others.",
     L"系統中有重複的網路介面卡名稱。請保留原先安裝的網路卡，並停用其他網路卡。"},
    {"TXT_RESTARTING", L"Restarting", L"重新啟動中"},
    {"TXT_RMV_COMPLETED", L"Remove completed.", L"移除完成。"},
    {"TXT_RESTARTING_QVX_MSG", L"Restarting Corvane...", L"正在重新啟動 Corvane..."},
    {"TXT_INST_COMPLETED", L"Install completed.", L"安裝完成。"},
    {"TXT_PHYSICAL_MODE", L"Dual-LAN mode", L"雙網路埠模式"},
    {"TXT_WIFI_MODE", L"Wireless mode", L"無線網路模式"},
    {"TXT_DIRECT_CONN_IP1", L"Directly connect mode, IP 1", L"直接連線模式，IP 1"},
    {"TXT_DIRECT_CONN_IP2", L"Directly connect mode, IP 2", L"直接連線模式，IP 2"},
    {"TXT_ROUTER_DHCP", L"DHCP Router mode", L"DHCP 路由器模式"},
    {"TXT_NAME", L"Name", L"名稱"},
    {nullptr, nullptr, nullptr},
};

const LangTextEntry kAddressDialogTexts[] = {
    {"ADV_PAGE_TITLE", L"Advanced config", L"進階設定"},
    {"ADV_PAGE_SETTING_NOTICE",
     L"This page is for expert only. Do not change anything if you do not know it.",
     L"此頁面僅供專家使用。若您不了解這些設定，請勿變更任何項目。"},
    {"ADV_PAGE_RESOLVE_IP_MAC_CONFLICT", L"Resolve IP address or MAC address conflict.",
     L"解決 IP 位址或 MAC 位址衝突。"},
    {"CHG_IP_TITLE", L"Change virtual adapter private IP address", L"變更虛擬介面卡私人 IP 位址"},
    {"CHG_IP_HELP",
     L"This dialog could change virtual adpater private IP address.\r\n"
     L"Please change it if your private IP address is\r\n"
     L"conflict with other computers.\r\n",
     L"此對話方塊可以變更虛擬介面卡的私人 IP 位址。\r\n"
     L"若您的私人 IP 位址與其他電腦\r\n"
     L"發生衝突，請變更它。\r\n"},
    {"CHG_MAC_TITLE", L"Change virtual adapter MAC address", L"變更虛擬介面卡 MAC 位址"},
    {"CHG_MAC_HELP",
     L"This dialog could change virtual adapter's MAC address.\r\n"
     L"Please change it if your virtual MAC address is\r\n"
     L"conflict with other computers.",
     L"此對話方塊可以變更虛擬介面卡的 MAC 位址。\r\n"
     L"若您的虛擬 MAC 位址與其他電腦\r\n"
     L"發生衝突，請變更它。"},
    {"TXT_MAC_ADDR_CHANGED", L"MAC address changed.", L"MAC 位址已變更。"},
    {"TXT_NEED_REBOOT", L"It need to reboot OS to take effect.", L"需要重新啟動作業系統才會生效。"},
    {"CHG_STATIC_IP_TITLE", L"Change virtual adapter static IP address", L"變更虛擬介面卡固定 IP 位址"},
    {"TXT_RESTARTING", L"Restarting", L"重新啟動中"},
    {"TXT_RESTARTING_QVX_MSG", L"Restarting Corvane...", L"正在重新啟動 Corvane..."},
    {"TXT_HOST_RANGE", L"Please enter a host number from 1 to 249.", L"請輸入 1 到 249 之間的主機號碼。"},
    {"TXT_IP_NOT_CHANGED", L"The adapter did not take the new address.", L"介面卡沒有套用新的位址。"},
    {"TXT_BAD_OCTET", L"Please enter each address part as a number from 0 to 255.",
     L"請將位址的每一段輸入為 0 到 255 之間的數字。"},
    {nullptr, nullptr, nullptr},
};

const LangTextEntry kInstallStepTexts[] = {
    {"TXT_INST_VIRTUALKM", L"Install virtual keyboard and mouse", L"安裝虛擬鍵盤與滑鼠"},
    {"TXT_RMV_VIRTUALKM", L"Remove virtual keyboard and mouse", L"移除虛擬鍵盤與滑鼠"},
    {"TXT_INST_SRV_FIREWALL", L"Install service and firewall setting", L"安裝服務與防火牆設定"},
    {"TXT_ADD_PROG_FIREWALL", L"Add program firewall setting", L"新增程式防火牆設定"},
    {"TXT_APP_SETTING_NETWORK", L"Another app is setting the network (%s)", L"另一個應用程式正在設定網路 (%s)"},
    {"TXT_ADD_VIR_ADAPT", L"Add virtual adapter %d", L"新增虛擬介面卡 %d"},
    {"TXT_FAIL_CREATE_VIR_ADAPT", L"Failed to create virtual adapter", L"建立虛擬介面卡失敗"},
    {"TXT_DISABLE_PHY_ADAPT", L"Disable physical adapter", L"停用實體介面卡"},
    {"TXT_INST_QVX_PROT", L"Install Corvane protocol", L"安裝 Corvane 通訊協定"},
    {"TXT_FAIL_INST_PROT", L"Failed to install protocol (%s)", L"安裝通訊協定失敗 (%s)"},
    {"TXT_UNBIND_PROT_ALL_ADAPT", L"Unbind protocol from all adapters", L"解除通訊協定與所有介面卡的繫結"},
    {"TXT_ADD_BINDING_PATH_REG", L"Add binding path registry", L"新增繫結路徑登錄"},
    {"TXT_FAIL_ADD_BINDING_PATH_REG", L"Failed to add binding path registry", L"新增繫結路徑登錄失敗"},
    {"TXT_ADD_VIR_NIC_REG", L"Add virtual adapter registry %d", L"新增虛擬介面卡登錄 %d"},
    {"TXT_FAIL_ADD_VIR_NIC_REG", L"Failed to add virtual adapter registry", L"新增虛擬介面卡登錄失敗"},
    {"TXT_UNBIND_PROT_VIR_ADAPT", L"Unbind protocol from virtual adapter %d", L"解除通訊協定與虛擬介面卡 %d 的繫結"},
    {"TXT_DISABLE_ALL_VIR_ADAPT", L"Disable all virtual adapter", L"停用所有虛擬介面卡"},
    {"TXT_ENABLE_ALL_VIR_ADAPT", L"Enable all virtual adapter", L"啟用所有虛擬介面卡"},
    {"TXT_ENABLE_PHY_ADAPT", L"Enable physical adapter", L"啟用實體介面卡"},
    {"TXT_CREATE_PPPOE_ADAPT", L"Create PPPoE adatper", L"建立 PPPoE 介面卡"},
    {"TXT_SET_STATIC_IP", L"Set static IP address", L"設定固定 IP 位址"},
    {"TXT_ENABLE_VIR_ADAPT", L"Enable virtual adapter %d", L"啟用虛擬介面卡 %d"},
    {"TXT_DISABLE_VIR_ADAPT", L"Disable virtual adapter %d", L"停用虛擬介面卡 %d"},
    {"TXT_RMV_SRV_FIREWALL", L"Remove service and firewall setting", L"移除服務與防火牆設定"},
    {"TXT_RMV_PROG_FIREWALL", L"Remove program firewall setting", L"移除程式防火牆設定"},
    {"TXT_RESTORE_PROT_BIND", L"Restore protocol binding", L"還原通訊協定繫結"},
    {"TXT_RMV_QVX_PROT", L"Remove Corvane protocol", L"移除 Corvane 通訊協定"},
    {"TXT_RMV_VIR_ADAPT", L"Remove virtual adapter", L"移除虛擬介面卡"},
    {"TXT_RMV_VIR_ADAPT_SUCC", L"Removed virtual adapter successfully", L"已成功移除虛擬介面卡"},
    {"TXT_RMV_VIR_ADAPT_FAIL", L"Failed to remove virtual adapter", L"移除虛擬介面卡失敗"},
    {"TXT_RMV_PROT_SUCC", L"Remove protocol successfully", L"已成功移除通訊協定"},
    {"TXT_RMV_PROT_FAIL", L"Failed to remove protocol", L"移除通訊協定失敗"},
    {nullptr, nullptr, nullptr},
};
