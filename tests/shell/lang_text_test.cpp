#include "shell/lang_text.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

// The keys every zone must hold, as the pages ask for them.
struct ZoneKeys {
  int32_t zone;
  size_t count;
  const char* keys;  // separated by spaces
};
const ZoneKeys kZoneKeys[] = {
      {0, 15,
       "TXT_DRV_INSTALLED TXT_DRV_NOT_INSTALLED TXT_CLICK_BTN_TO_INST_DRV_FIRST "
       "TXT_DUP_NETWORK_NAME TXT_DUP_NETWORK_NAME_MSG TXT_RESTARTING TXT_RMV_COMPLETED "
       "TXT_RESTARTING_QVX_MSG TXT_INST_COMPLETED TXT_PHYSICAL_MODE TXT_WIFI_MODE "
       "TXT_DIRECT_CONN_IP1 TXT_DIRECT_CONN_IP2 TXT_ROUTER_DHCP TXT_NAME"},
      {1, 13,
       "ABOUT TAB_MY_NET TAB_SWIVO TAB_STATUS TAB_ROUTING TAB_DRV TAB_VER TAB_HELP TITLE_QVX "
       "MENU_QUIT_QVX TXT_OS_NOT_SUPP TXT_LOADING TXT_QVX_RUNNING"},
      {2, 44,
       "TXT_EXIT TXT_HOTKEY TXT_SWIVO_PAIR TXT_CONNECTING TXT_FAIL_TO_CONN TXT_SHOW_HOTKEY_LST "
       "TXT_HOTKEY_IS TXT_HOTKEY_SW_HOST TXT_HOTKEY_RET_LOCAL TXT_SYNC_CLIPBOARD TXT_KM_RET "
       "TXT_SWIVO_HINT TXT_MANAGE_HOTKEY TXT_START_SWIVO TXT_PAIR_KEY_SWIVO_CLIENT "
       "TXT_MANAGE_KEY TXT_WAITING_CONN TXT_CANCEL TXT_AUTO_PAIR TXT_ANOTHER_COMP_CONN "
       "TXT_WAITING_CONN_NO_CNT TXT_STOP_SWIVO TXT_SHOW_HOTKEY_LST_CTRL_ALT "
       "TXT_SHOW_HOTKEY_LST_CTRL COL_COMP_NAME COL_IP_ADDR COL_CPU COL_OS COL_CLIP_SYNC "
       "COL_HOTKEY TXT_TURN_CLIP_SYNC TXT_DEL_ALL_HOTKEY TXT_DEL_THIS_HOTKEY TXT_YES TXT_NO "
       "TO_SAVE_HOTKEY SAVE SAVE_HOTKEY MANAGE_HOTKEY MANAGE_SRV_KEY_PAIR DEL_ALL_KEY_PAIR "
       "DEL_THIS_KEY_PAIR TO_SAVE_KEY_PAIR SAVE_KEY_PAIR"},
      {3, 15,
       "ADV_PAGE_TITLE ADV_PAGE_SETTING_NOTICE ADV_PAGE_RESOLVE_IP_MAC_CONFLICT CHG_IP_TITLE "
       "CHG_IP_HELP CHG_MAC_TITLE CHG_MAC_HELP TXT_MAC_ADDR_CHANGED TXT_NEED_REBOOT "
       "CHG_STATIC_IP_TITLE TXT_RESTARTING TXT_RESTARTING_QVX_MSG TXT_HOST_RANGE TXT_IP_NOT_CHANGED "
       "TXT_BAD_OCTET"},
      {4, 4,
       "TXT_INST_DRV_FIRST TXT_SWIVO TXT_LB TXT_WOL"},
      {5, 30,
       "TXT_INSTALLING TXT_INST_DRV_COMPLETED TXT_NONE TXT_N_A DHCP_HELP PPPOE_HELP STATIC_HELP "
       "PHYSICAL_HELP QUICK_IP_HELP QUICK_DHCP_HELP WIRELESS_HELP LINK_TYPE_HINT_QVX "
       "LINK_TYPE_HINT_DUAL_LAN LINK_TYPE_HINT_DIRECT_CONN LINK_TYPE_HINT_ROUTER_DHCP "
       "MENU_STATIC MENU_QUICK_LINK_IP_1 MENU_QUICK_LINK_IP_2 MENU_ROUTER_DHCP_WIRED "
       "MENU_ROUTER_DHCP_WIRELESS TXT_WIRELESS TXT_DUAL_LAN TXT_ROUTER_DHCP TXT_SCAN_USED_IP "
       "TXT_SCAN_USED_IP_PROG TXT_IP_USED TXT_AUTO_CHG TITLE_AUTO_CHG_IP TITLE_SCAN_COMPLETED TXT_NO_FREE_IP"},
      {6, 12,
       "TXT_CHG_MAC TXT_DBL_CLICK_PHY_TO_CREATE TXT_NETWORK_NAME_HELP COL_NET_ADAPT_NAME "
       "TXT_DUP_NETWORK_NAME TXT_DUP_NETWORK_MSG TITLE_SEL_NETWORK_ADAPT TXT_SEL_NETWORK_ADAPT "
       "HELP_FORCE_SUBNET TITLE_FORCE_SUBNET WIRELESS_TXT TXT_NO_PHY_MAC"},
      {7, 24,
       "SAVE TITLE_SWITCH_LANG TO_SWITCH_LANG SAVE_LANG_SETTING TITLE_LINK_CHECK "
       "TXT_LINK_DETECTED TXT_NOLINK TXT_SCAN_COMP_WIFI TXT_SCAN_COMP TXT_REMOVING "
       "TXT_DRV_REMOVED TXT_CHG_LOG TXT_QVX_VER TITLE_VER TXT_NEW_VER TXT_CHK_FOR_UPDATE "
       "TXT_VER_LATEST COL_GATEWAY COL_IP_ADDR COL_ADAPT_NAME TITLE_LB TXT_LB HELP_LB "
       "TXT_CHG_DEF_ROUTING"},
      {8, 24,
       "TXT_SCAN TXT_START_TO_SCAN TXT_YES TXT_NO COL_COMP_NAME COL_IP_ADDR COL_LINK COL_CPU "
       "COL_OS TXT_DBL_CLICK_TO_SEL TXT_FIND_OTHER_COMP TXT_MANAGE_COMP_LIST TXT_CLR_WOL_STS "
       "TXT_CONN_RMT_COMP TXT_WOL_OK TXT_WOL_FAIL TXT_BOOTING DEL_ALL_RMT_COMP "
       "DEL_THIS_RMT_COMP TO_SAVE_COMP_LIST_AND_SETTING SAVE SAVE_COMP_LIST_AND_SETTING "
       "HELP_SCAN_RESP TXT_SCAN_RESP"},
      {9, 32,
       "TXT_INST_VIRTUALKM TXT_RMV_VIRTUALKM TXT_INST_SRV_FIREWALL TXT_ADD_PROG_FIREWALL "
       "TXT_APP_SETTING_NETWORK TXT_ADD_VIR_ADAPT TXT_FAIL_CREATE_VIR_ADAPT "
       "TXT_DISABLE_PHY_ADAPT TXT_INST_QVX_PROT TXT_FAIL_INST_PROT TXT_UNBIND_PROT_ALL_ADAPT "
       "TXT_ADD_BINDING_PATH_REG TXT_FAIL_ADD_BINDING_PATH_REG TXT_ADD_VIR_NIC_REG "
       "TXT_FAIL_ADD_VIR_NIC_REG TXT_UNBIND_PROT_VIR_ADAPT TXT_DISABLE_ALL_VIR_ADAPT "
       "TXT_ENABLE_ALL_VIR_ADAPT TXT_ENABLE_PHY_ADAPT TXT_CREATE_PPPOE_ADAPT TXT_SET_STATIC_IP "
       "TXT_ENABLE_VIR_ADAPT TXT_DISABLE_VIR_ADAPT TXT_RMV_SRV_FIREWALL TXT_RMV_PROG_FIREWALL "
       "TXT_RESTORE_PROT_BIND TXT_RMV_QVX_PROT TXT_RMV_VIR_ADAPT TXT_RMV_VIR_ADAPT_SUCC "
       "TXT_RMV_VIR_ADAPT_FAIL TXT_RMV_PROT_SUCC TXT_RMV_PROT_FAIL"},
      {10, 14,
       "HELP_FILE_SHARING TXT_FILE_SHARING TXT_MYNET_SRV TXT_BTN_SWIVO TXT_BTN_WOL "
       "TXT_BTN_SHOW_WIN_SRV TXT_BTN_HIDE_WIN_SRV TXT_CONNECTING TXT_RMT_DESKTOP "
       "HELP_RMT_DESKTOP TXT_RUN_RMT_DESKTOP TXT_WOL HELP_WOL TXT_WOL_MSG"},
      {11, 11,
       "TXT_NO_ENABLED_HOTKEY TXT_FROM TXT_RAND_PSWD_GET TXT_RAND_PSWD_SENT TXT_DISCONN "
       "TXT_CONN TXT_NO_CONN TXT_CONN_SYNC TXT_RETURN TXT_SW_CTRL TXT_SW_CTRL_SYNC"},
};

// Texts that stay the same in Chinese: names and plain address labels.
const std::set<std::pair<int32_t, std::string>> kSameInBothLanguages = {
    {1, "TAB_SWIVO"}, {1, "TITLE_QVX"}, {5, "MENU_QUICK_LINK_IP_1"}, {5, "MENU_QUICK_LINK_IP_2"}};

// Simplified forms that must not appear in the Traditional Chinese column.
const wchar_t kSimplifiedOnly[] =
    L"网络设启动连线删择标关开显载时发这个们为说数据扫储协议务态页无级错误项输选复处机脑"
    L"应该请码键将与实虚拟远还结执钮贴闸档统";

std::vector<std::string> SplitWords(const char* text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// The printf conversions of a text in order ("%d", "%04d", "%02X", "%s"); "%%" is no conversion.
std::vector<std::wstring> Placeholders(const std::wstring& text) {
  std::vector<std::wstring> found;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'%') continue;
    if (i + 1 < text.size() && text[i + 1] == L'%') {
      ++i;
      continue;
    }
    size_t end = i + 1;
    while (end < text.size() && std::wcschr(L"-+ #0123456789.hlI", text[end]) != nullptr) ++end;
    if (end < text.size()) ++end;  // the conversion letter
    found.push_back(text.substr(i, end - i));
    i = end - 1;
  }
  return found;
}

size_t CountLineBreaks(const std::wstring& text) {
  size_t count = 0;
  for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2)) ++count;
  return count;
}

// A lone CR or LF shows as a box or a broken line in an edit control.
bool HasLoneLineEnd(const std::wstring& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n')) return true;
    if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) return true;
  }
  return false;
}

bool HasCjkIdeograph(const std::wstring& text) {
  for (wchar_t c : text) {
    if (c >= 0x4E00 && c <= 0x9FFF) return true;
  }
  return false;
}

bool IsPlainAscii(const std::wstring& text) {
  for (wchar_t c : text) {
    if (c != L'\r' && c != L'\n' && (c < 0x20 || c > 0x7E)) return false;
  }
  return true;
}

const LangTextEntry* ZoneEntries(int32_t zone) {
  for (const LangTextZone* row = LangTextTable; row->zone != -1; ++row) {
    if (row->zone == zone) return row->entries;
  }
  return nullptr;
}

class LangTextTest : public testing::Test {
 protected:
  void TearDown() override { g_LangIndex = 0; }
};

TEST_F(LangTextTest, ZonesRunFromZeroToElevenThenEnd) {
  int32_t expected = 0;
  const LangTextZone* row = LangTextTable;
  for (; row->zone != -1 && expected <= 12; ++row, ++expected) {
    EXPECT_EQ(row->zone, expected);
    EXPECT_NE(row->entries, nullptr) << "zone " << row->zone;
  }
  EXPECT_EQ(expected, 12);
  EXPECT_EQ(row->zone, -1);
}

TEST_F(LangTextTest, EveryZoneHoldsExactlyItsKeysOnce) {
  size_t total = 0;
  for (const ZoneKeys& want : kZoneKeys) {
    SCOPED_TRACE("zone " + std::to_string(want.zone));
    const std::vector<std::string> wanted = SplitWords(want.keys);
    ASSERT_EQ(wanted.size(), want.count) << "the key list of the test itself";
    const LangTextEntry* entries = ZoneEntries(want.zone);
    ASSERT_NE(entries, nullptr);
    std::set<std::string> present;
    size_t count = 0;
    for (const LangTextEntry* e = entries; e->key != nullptr; ++e, ++count) {
      EXPECT_TRUE(present.insert(e->key).second) << "twice: " << e->key;
    }
    EXPECT_EQ(count, want.count);
    for (const std::string& key : wanted) EXPECT_EQ(present.count(key), 1u) << "missing: " << key;
    total += count;
  }
  EXPECT_EQ(total, 238u);
}

TEST_F(LangTextTest, BothLanguagesAgreeOnPlaceholdersAndLineBreaks) {
  for (const LangTextZone* row = LangTextTable; row->zone != -1; ++row) {
    for (const LangTextEntry* e = row->entries; e->key != nullptr; ++e) {
      SCOPED_TRACE("zone " + std::to_string(row->zone) + " " + e->key);
      ASSERT_NE(e->english, nullptr);
      ASSERT_NE(e->chinese, nullptr);
      const std::wstring english = e->english, chinese = e->chinese;
      EXPECT_FALSE(english.empty());
      EXPECT_FALSE(chinese.empty());
      EXPECT_TRUE(IsPlainAscii(english));
      EXPECT_EQ(Placeholders(chinese), Placeholders(english));
      EXPECT_EQ(CountLineBreaks(chinese), CountLineBreaks(english));
      EXPECT_FALSE(HasLoneLineEnd(english));
      EXPECT_FALSE(HasLoneLineEnd(chinese));
      // A help text that ends with a line break ends so in both languages.
      EXPECT_EQ(chinese.back() == L'\n', english.back() == L'\n');
      if (kSameInBothLanguages.count({row->zone, e->key}) != 0) {
        EXPECT_EQ(chinese, english);
      } else {
        EXPECT_TRUE(HasCjkIdeograph(chinese)) << "untranslated";
      }
      EXPECT_EQ(chinese.find_first_of(kSimplifiedOnly), std::wstring::npos) << "simplified character";
    }
  }
}

// A key that stands in several zones with the same English text reads the same in Chinese too.
TEST_F(LangTextTest, SharedKeysAreTranslatedAlike) {
  std::map<std::pair<std::string, std::wstring>, std::wstring> chinese_of;
  for (const LangTextZone* row = LangTextTable; row->zone != -1; ++row) {
    for (const LangTextEntry* e = row->entries; e->key != nullptr; ++e) {
      const auto [it, first] = chinese_of.emplace(std::make_pair(e->key, e->english), e->chinese);
      if (!first) {
        EXPECT_EQ(it->second, e->chinese) << "zone " << row->zone << " " << e->key;
      }
    }
  }
}

TEST_F(LangTextTest, LookupByZoneKeyAndLanguage) {
  struct Case {
    int32_t language;
    int32_t zone;
    const char* key;
    const wchar_t* text;
  };
  const Case cases[] = {
      {0, 12, "TAB_HELP", L"Zone Not Defined, TAB_HELP"},
      {0, -1, "TAB_HELP", L"Zone Not Defined, TAB_HELP"},
      {0, 1000, "ANY", L"Zone Not Defined, ANY"},
      {1, 12, "TAB_HELP", L"Zone Not Defined, TAB_HELP"},  // misses stay English
      {0, 1, "TXT_SCAN", L"Name Not Defined, TXT_SCAN"},
      {1, 1, "TXT_SCAN", L"Name Not Defined, TXT_SCAN"},
      {0, 1, "tab_help", L"Name Not Defined, tab_help"},
      {0, 1, "TAB_HEL", L"Name Not Defined, TAB_HEL"},
      {0, 1, "TAB_HELP ", L"Name Not Defined, TAB_HELP "},
      {0, 1, "", L"Name Not Defined, "},
      {0, 1, nullptr, L"Name Not Defined, "},
      {0, 1, "TAB_HELP", L"Help"},
      {1, 1, "TAB_HELP", L"\u8aaa\u660e"},
      {2, 1, "TAB_HELP", L"Help"},
      {-1, 1, "TAB_HELP", L"Help"},
      {0, 0, "TXT_DUP_NETWORK_NAME", L"Duplicated network adapter name."},
      {0, 6, "TXT_DUP_NETWORK_NAME", L"Duplicated network name"},
      {1, 6, "TXT_DUP_NETWORK_NAME", L"\u7db2\u8def\u540d\u7a31\u91cd\u8907"},
      {0, 0, "TXT_ROUTER_DHCP", L"DHCP Router mode"},
      {0, 5, "TXT_ROUTER_DHCP", L"DHCP Router"},
      {0, 4, "TXT_LB", L"Load balancing could use multiple IP for internet access."},
      {0, 7, "TXT_LB", L"How to use load balancing"},
      {0, 4, "TXT_WOL", L"You could power up remote computer from local computer by Wake-on-LAN."},
      {0, 10, "TXT_WOL", L"Wake-on-LAN"},
      {0, 11, "TXT_NO_ENABLED_HOTKEY", L"No enabled hotkey"},  // the last zone is reached
  };
  for (const Case& c : cases) {
    g_LangIndex = c.language;
    EXPECT_STREQ(LoadLangText(c.zone, c.key), c.text)
        << "language " << c.language << ", zone " << c.zone << ", key " << (c.key ? c.key : "(null)");
  }
}

TEST_F(LangTextTest, FoundTextIsTheTablesOwn) {
  const wchar_t* first = LoadLangText(8, "TXT_SCAN");
  LoadLangText(8, "NOT_A_KEY");
  EXPECT_EQ(LoadLangText(8, "TXT_SCAN"), first);
  EXPECT_STREQ(first, L"Scan");
}

TEST_F(LangTextTest, TooLongKeyIsCutToTheBuffer) {
  const std::string key(400, 'K');
  struct Case {
    int32_t zone;
    std::wstring prefix;
  };
  const Case cases[] = {{42, L"Zone Not Defined, "}, {3, L"Name Not Defined, "}};
  for (const Case& c : cases) {
    const std::wstring text = LoadLangText(c.zone, key.c_str());
    EXPECT_EQ(text.size(), 159u);
    EXPECT_EQ(text, c.prefix + std::wstring(159 - c.prefix.size(), L'K'));
  }
  // A key that just fits is kept whole.
  const std::string fits(159 - 18, 'F');
  EXPECT_EQ(std::wstring(LoadLangText(3, fits.c_str())), L"Name Not Defined, " + std::wstring(fits.size(), L'F'));
}

TEST_F(LangTextTest, MissesFromSeveralThreadsEachKeepTheirOwnText) {
  constexpr int kThreads = 8;
  constexpr int kRounds = 3000;
  std::atomic<bool> go{false};
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &go, &wrong] {
      const std::string key = "THREAD_" + std::to_string(t) + "_KEY_" + std::string(20 + t * 7, 'A' + t);
      const bool zone_miss = t % 2 == 0;
      const int32_t zone = zone_miss ? 20 + t : t;
      const std::wstring expected = (zone_miss ? L"Zone Not Defined, " : L"Name Not Defined, ") +
                                    std::wstring(key.begin(), key.end());
      while (!go.load()) std::this_thread::yield();
      for (int round = 0; round < kRounds; ++round) {
        const wchar_t* text = LoadLangText(zone, key.c_str());
        std::this_thread::yield();  // give the others a chance to miss in between
        if (expected != text) wrong.fetch_add(1);
      }
    });
  }
  go.store(true);
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
