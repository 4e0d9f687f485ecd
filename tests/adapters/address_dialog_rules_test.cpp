// What the address dialogs make of their edits, files and adapter lists, and the Driver page's
// state and row numbering.
#include "adapters/address_dialog_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "adapters/driver_page_rows.h"
#include "shell/startup_settings.h"

namespace {

TEST(ParsePrivateHost, OnlyHostsOneTo249) {
  struct Case {
    const char* what;
    const wchar_t* text;
    bool ok;
    int host;
  } cases[] = {
      {"plain", L"7", true, 7},
      {"lowest", L"1", true, 1},
      {"highest", L"249", true, 249},
      {"zero", L"0", false, 0},
      {"the scan's own address", L"250", false, 0},
      {"broadcast", L"255", false, 0},
      {"300 is not quietly 44", L"300", false, 0},
      {"no number", L"abc", false, 0},
      {"empty", L"", false, 0},
      {"sign", L"-5", false, 0},
      {"too long", L"0007", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    uint8_t host = 0;
    EXPECT_EQ(c.ok, ParsePrivateHost(c.text, &host));
    if (c.ok) EXPECT_EQ(c.host, host);
  }
}

TEST(HexOctetFromEdit, FirstTwoCharactersCount) {
  struct Case {
    const wchar_t* text;
    int octet;
  } cases[] = {{L"A", 0x00}, {L"G1", 0x00}, {L"ab", 0xAB}, {L"AB", 0xAB}, {L"1f9", 0x1F}, {L"", 0}, {L"0G", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "text " << c.text);
    EXPECT_EQ(c.octet, HexOctetFromEdit(c.text));
  }
}

TEST(VirtualMacLine, FourPartsOnly) {
  uint8_t octets[4] = {9, 9, 9, 9};
  EXPECT_TRUE(OctetsFromVirtualMacLine(L"3C-4D-5E-45", octets));
  const uint8_t expected[4] = {0x3C, 0x4D, 0x5E, 0x45};
  EXPECT_EQ(0, memcmp(expected, octets, 4));
  uint8_t untouched[4] = {9, 9, 9, 9};
  EXPECT_FALSE(OctetsFromVirtualMacLine(L"02-3C-4D-5E-45", untouched)) << "five parts";
  EXPECT_FALSE(OctetsFromVirtualMacLine(L"3C-4D-5E", untouched)) << "three parts";
  EXPECT_FALSE(OctetsFromVirtualMacLine(L"", untouched));
  EXPECT_EQ(9, untouched[0]);
  EXPECT_EQ(L"3C-4D-5E-45", VirtualMacLine(expected));
}

IpAdapterRecord Record(const wchar_t* ipv4, const wchar_t* guid, bool pseudo = false) {
  IpAdapterRecord record = {};
  CopyField(record.ipv4, ipv4);
  CopyField(record.adapterName, guid);
  record.isPseudo = pseudo ? 1 : 0;
  return record;
}

TEST(StaticAdapterEntries, SkippedRecordsKeepTheirNumbers) {
  const IpAdapterRecord records[] = {
      Record(L"192.168.11.100", L"{clone}"), Record(L"192.168.69.89", L"{private}"),
      Record(L"0.0.0.0", L"{a}"),            Record(L"0.0.0.0", L"{b}"),
      Record(L"0.0.0.0", L"{pppoe}", true),
  };
  struct Case {
    const char* what;
    bool staticOnly;
    std::vector<std::wstring> texts;
    std::vector<uint32_t> records;
  } cases[] = {
      {"clone hidden without STATIC_ONLY", false, {L"3 - 0.0.0.0", L"4 - 0.0.0.0"}, {2, 3}},
      {"clone offered with STATIC_ONLY", true, {L"1 - 192.168.11.100", L"3 - 0.0.0.0", L"4 - 0.0.0.0"}, {0, 2, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<StaticAdapterEntry> entries = StaticAdapterEntries(records, 5, L"192.168.69.89", L"{clone}", c.staticOnly);
    ASSERT_EQ(c.texts.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(c.texts[i], entries[i].text);
      // Two entries reading "0.0.0.0" still lead to their own adapters.
      EXPECT_EQ(c.records[i], entries[i].record);
    }
  }
}

TEST(IsOctetText, WhatMayGoIntoACommandLine) {
  struct Case {
    const wchar_t* text;
    bool ok;
  } cases[] = {{L"0", true},   {L"255", true},  {L"256", false}, {L"", false},   {L"1 2", false},
               {L"1&", false}, {L"\"", false}, {L"1234", false}, {L"-1", false}, {L"09", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "text '" << c.text << "'");
    EXPECT_EQ(c.ok, IsOctetText(c.text));
  }
  EXPECT_EQ((std::vector<std::wstring>{L"0", L"0", L"0", L"0"}), AddressParts(L"192.168.1"));
  EXPECT_EQ((std::vector<std::wstring>{L"192", L"168", L"12", L"1"}), AddressParts(L"192.168.12.1"));
}

TEST(DriverPageState, ModesBindingsAndRows) {
  WanFlags none;
  WanFlags physical;
  physical.physical = true;
  WanFlags router;
  router.routerDhcp = true;
  WanFlags wifiAndRouter;
  wifiAndRouter.wifi = wifiAndRouter.routerDhcp = true;
  EXPECT_EQ(DriverPageState::kNotInstalled, DecideDriverPageState(none, L"", 0));
  EXPECT_EQ(DriverPageState::kNotInstalled, DecideDriverPageState(none, L"{phys}", 0)) << "no virtual GUID";
  EXPECT_EQ(DriverPageState::kNotInstalled, DecideDriverPageState(none, L"", 2)) << "no physical GUID";
  EXPECT_EQ(DriverPageState::kWithVirtualAdapters, DecideDriverPageState(none, L"{phys}", 1));
  EXPECT_EQ(DriverPageState::kWithoutVirtualAdapters, DecideDriverPageState(physical, L"", 0));
  EXPECT_STREQ("TXT_PHYSICAL_MODE", ModeTextKey(physical));
  EXPECT_STREQ("TXT_ROUTER_DHCP", ModeTextKey(router));
  EXPECT_STREQ("TXT_WIFI_MODE", ModeTextKey(wifiAndRouter)) << "tested in order";

  // Three bound adapters whose second is gone: rows 1 and 3.
  std::vector<DriverPageRow> rows = VirtualAdapterRows(
      {L"\\Device\\{A}", L"\\Device\\{B}", L"\\Device\\{C}"}, {{L"{C}", L"qvx adapter C"}, {L"{A}", L"qvx adapter A"}});
  ASSERT_EQ(2u, rows.size());
  EXPECT_EQ(L"1", rows[0].number);
  EXPECT_EQ(L"qvx adapter A", rows[0].name);
  EXPECT_EQ(L"3", rows[1].number);
  EXPECT_EQ(L"qvx adapter C", rows[1].name);
}

}  // namespace
