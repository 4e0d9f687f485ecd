// Texts of the installation wizard: the environment step with the installation progress and the
// used-address scan, and the adapter step.
#include "shell/lang_text_zones.h"

const LangTextEntry kWizardEnvironmentTexts[] = {
    {"TXT_INSTALLING", L"Installing...", L"安裝中..."},
    {"TXT_INST_DRV_COMPLETED", L"Install driver completed.", L"驅動程式安裝完成。"},
    {"TXT_NONE", L"None", L"無"},
    {"TXT_N_A", L"N/A", L"不適用"},
    {"DHCP_HELP",
     L"DHCP mode can obtain multiple IP from the ISP at the same time.\r\n"
     L"If your ISP supports DHCP, please choose this mode.\r\n"
     L"It could effectively use Corvane load balancing function.\r\n"
     L"Computer should connect to modem directly if uses load balancing.",
     L"DHCP 模式可以同時從 ISP 取得多個 IP。\r\n"
     L"若您的 ISP 支援 DHCP，請選擇此模式。\r\n"
     L"此模式可以有效運用 Corvane 的負載平衡功能。\r\n"
     L"若使用負載平衡，電腦應直接連接數據機。"},
    {"PPPOE_HELP",
     L"PPPoE mode can only use single IP.\r\n"
     L"This mode could not use Corvane load balancing function.\r\n"
     L"When uses this mode, Corvane will create a PPPoE adapter.\r\n"
     L"It need to enter username and password to connect to the internet.\r\n",
     L"PPPoE 模式只能使用單一 IP。\r\n"
     L"此模式無法使用 Corvane 的負載平衡功能。\r\n"
     L"使用此模式時，Corvane 會建立一個 PPPoE 介面卡。\r\n"
     L"需要輸入使用者名稱與密碼才能連上網際網路。\r\n"},
    {"STATIC_HELP",
     L"Static mode can use multiple IP and gateway.\r\n"
     L"THIS MODE IS FOR EXPERT USER.\r\n"
     L"You need this mode to enable Corvane load balancing\r\n"
     L" if your ISP support only PPPoE. For example, Hinet in Taiwan.\r\n"
     L"You need multiple NAT routers and set gateway to those routers.\r\n"
     L"In additional, this mode also support DHCP IP and Static IP\r\n"
     L" shared network environment.",
     L"固定模式可以使用多個 IP 與閘道。\r\n"
     L"此模式僅供專家使用。\r\n"
     L"若要啟用 Corvane 的負載平衡，而您的 ISP\r\n"
     L" 只支援 PPPoE (例如台灣的 Hinet)，就需要此模式。\r\n"
     L"您需要多台 NAT 路由器，並將閘道設定為這些路由器。\r\n"
     L"此外，此模式也支援 DHCP IP 與固定 IP\r\n"
     L" 共用的網路環境。"},
    {"PHYSICAL_HELP",
     L"Dual-LAN mode is suitable for motherboard with physical dual LAN.\r\n"
     L"It does not create virtual NIC and only set a private IP.\r\n"
     L"It will scan used IP address and set a unused IP address.\r\n"
     L"After installed, you could not connect to internet from selected port.\r\n"
     L"Please remove driver if you want use the port again.\r\n",
     L"雙網路埠模式適用於具有實體雙網路埠的主機板。\r\n"
     L"此模式不會建立虛擬網路卡，只會設定一個私人 IP。\r\n"
     L"它會掃描已使用的 IP 位址，並設定一個未使用的 IP 位址。\r\n"
     L"安裝後，您將無法從所選的網路埠連上網際網路。\r\n"
     L"若要再次使用該網路埠，請移除驅動程式。\r\n"},
    {"QUICK_IP_HELP",
     L"Directly connect mode is only setup one private IP address.\r\n"
     L"It does not create virtual NIC.\r\n"
     L"This mode could directly connect and no need DHCP router.\r\n"
     L"If you choose IP 1 on one side, please choose IP 2 on the other side.\r\n"
     L"This mode installation time is much less than others.\r\n"
     L"After installed, you could not connect to internet from selected port.\r\n"
     L"Please remove driver if you want use the port again.\r\n",
     L"直接連線模式只會設定一個私人 IP 位址。\r\n"
     L"此模式不會建立虛擬網路卡。\r\n"
     L"此模式可以直接連線，不需要 DHCP 路由器。\r\n"
     L"若您在一端選擇 IP 1，請在另一端選擇 IP 2。\r\n"
     L"此模式的安裝時間比其他模式短很多。\r\n"
     L"安裝後，您將無法從所選的網路埠連上網際網路。\r\n"
     L"若要再次使用該網路埠，請移除驅動程式。\r\n"},
    {"QUICK_DHCP_HELP",
     L"DHCP Router mode is used on DHCP network.\r\n"
     L"Computers need to connect to same router.\r\n"
     L"It does not create virtual NIC.\r\n"
     L"This mode installation time is much less than others.\r\n",
     L"DHCP 路由器模式用於 DHCP 網路。\r\n"
     L"電腦需要連接到同一台路由器。\r\n"
     L"此模式不會建立虛擬網路卡。\r\n"
     L"此模式的安裝時間比其他模式短很多。\r\n"},
    {"WIRELESS_HELP",
     L"Wireless mode is used on Wireless AP with DHCP network.\r\n"
     L"Computers need to connect to same router.\r\n"
     L"It does not create virtual NIC.\r\n"
     L"This mode installation time is much less than others.\r\n",
     L"無線網路模式用於具有 DHCP 網路的無線基地台。\r\n"
     L"電腦需要連接到同一台路由器。\r\n"
     L"此模式不會建立虛擬網路卡。\r\n"
     L"此模式的安裝時間比其他模式短很多。\r\n"},
    {"LINK_TYPE_HINT_QVX", L"Applies to the general case and load balancing, it will install the driver.",
     L"適用於一般情況與負載平衡，將會安裝驅動程式。"},
    {"LINK_TYPE_HINT_DUAL_LAN", L"Applies to computer with dual-LAN.", L"適用於具有雙網路埠的電腦。"},
    {"LINK_TYPE_HINT_DIRECT_CONN", L"Applies to two computers directly connect with a network cable.",
     L"適用於以一條網路線直接連接的兩台電腦。"},
    {"LINK_TYPE_HINT_ROUTER_DHCP", L"Computers connect to one DHCP router.", L"電腦連接到同一台 DHCP 路由器。"},
    {"MENU_STATIC", L"Static", L"固定"},
    {"MENU_QUICK_LINK_IP_1", L"IP 1", L"IP 1"},
    {"MENU_QUICK_LINK_IP_2", L"IP 2", L"IP 2"},
    {"MENU_ROUTER_DHCP_WIRED", L"DHCP Router (wired)", L"DHCP 路由器 (有線)"},
    {"MENU_ROUTER_DHCP_WIRELESS", L"DHCP Router (wireless)", L"DHCP 路由器 (無線)"},
    {"TXT_WIRELESS", L"Wireless", L"無線網路"},
    {"TXT_DUAL_LAN", L"Dual-LAN", L"雙網路埠"},
    {"TXT_ROUTER_DHCP", L"DHCP Router", L"DHCP 路由器"},
    {"TXT_SCAN_USED_IP", L"Scan used IP address", L"掃描已使用的 IP 位址"},
    {"TXT_SCAN_USED_IP_PROG", L"Scan used IP address %d", L"掃描已使用的 IP 位址 %d"},
    {"TXT_IP_USED", L"IP address %d is used.", L"IP 位址 %d 已被使用。"},
    {"TXT_AUTO_CHG", L"Auto change to %d.", L"自動變更為 %d。"},
    {"TITLE_AUTO_CHG_IP", L"Auto change IP address", L"自動變更 IP 位址"},
    {"TITLE_SCAN_COMPLETED", L"Scan completed", L"掃描完成"},
    {"TXT_NO_FREE_IP", L"No unused IP address found, %d is kept.", L"找不到未使用的 IP 位址，保留 %d。"},
    {nullptr, nullptr, nullptr},
};

const LangTextEntry kWizardAdapterTexts[] = {
    {"TXT_CHG_MAC", L"Change virtual adapter MAC address", L"變更虛擬介面卡 MAC 位址"},
    {"TXT_DBL_CLICK_PHY_TO_CREATE", L"Double click to select physical adapter to create virtual adapter",
     L"按兩下以選擇實體介面卡來建立虛擬介面卡"},
    {"TXT_NETWORK_NAME_HELP",
     L"Network name is used to generate a subnet number.\r\n"
     L"When you install Corvane on different machines, you should enter the same network name\r\n"
     L" to produce a unique subnet number.\r\n"
     L"Thus, computers in same network environment can find each other.",
     L"網路名稱用來產生子網路編號。\r\n"
     L"在不同的電腦上安裝 Corvane 時，您應輸入相同的網路名稱\r\n"
     L" 以產生唯一的子網路編號。\r\n"
     L"如此，同一網路環境中的電腦便能找到彼此。"},
    {"COL_NET_ADAPT_NAME", L"Physical network adapter name", L"實體網路介面卡名稱"},
    {"TXT_DUP_NETWORK_NAME", L"Duplicated network name", L"網路名稱重複"},
    {"TXT_DUP_NETWORK_MSG",
     L"Selected adapter has same name with other adapter. Please keep one and disable others.",
     L"所選的介面卡與其他介面卡名稱相同。請保留一個並停用其他介面卡。"},
    {"TITLE_SEL_NETWORK_ADAPT", L"Select network adapter", L"選擇網路介面卡"},
    {"TXT_SEL_NETWORK_ADAPT", L"Please select one network adapter first.", L"請先選擇一個網路介面卡。"},
    {"HELP_FORCE_SUBNET",
     L"To force subnet number, type [your_subnet_number].\r\n"
     L"For example, [123] means set subnet to 123.",
     L"若要強制指定子網路編號，請輸入 [您的子網路編號]。\r\n"
     L"例如，[123] 表示將子網路設為 123。"},
    {"TITLE_FORCE_SUBNET", L"Force subnet number", L"強制指定子網路編號"},
    {"WIRELESS_TXT",
     L"Wireless mode is used on Wireless AP with DHCP network.\r\n"
     L"Computers need to connect to same router.",
     L"無線網路模式用於具有 DHCP 網路的無線基地台。\r\n"
     L"電腦需要連接到同一台路由器。"},
    {"TXT_NO_PHY_MAC",
     L"The MAC address of this adapter cannot be read. Please select another adapter.",
     L"無法讀取此介面卡的 MAC 位址。請選擇其他介面卡。"},
    {nullptr, nullptr, nullptr},
};
