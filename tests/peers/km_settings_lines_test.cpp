#include <gtest/gtest.h>

#include "peers/km_key_table.h"
#include "peers/km_line_fields.h"
#include "peers/km_settings.h"
#include "tests/peers/hex_bytes.h"

namespace {

const std::wstring kKeyText = L"00112233445566778899AABBCCDDEEFF";

TEST(KmLineFields, KeysAsThirtyTwoHexDigits) {
  uint8_t key[16];
  ASSERT_TRUE(ReadKeyField(kKeyText, key));
  EXPECT_EQ(BytesHex(key, 16), "00112233445566778899aabbccddeeff");
  EXPECT_EQ(KeyFieldText(key), kKeyText);
  ASSERT_TRUE(ReadKeyField(L"g0112233445566778899aabbccddeeff", key));  // a bad digit gives a zero byte
  EXPECT_EQ(BytesHex(key, 16), "00112233445566778899aabbccddeeff");
  ASSERT_TRUE(ReadKeyField(L"0G112233445566778899aabbccddeeff", key));
  EXPECT_EQ(key[0], 0);
  EXPECT_FALSE(ReadKeyField(L"0011223344556677", key));
}

TEST(KmCompList, LinesOfTheSlots) {
  KmSettingsRecord record = {};
  const std::vector<std::wstring> lines = {
      L"1,7,12,0," + kKeyText,                // slot 1 for 192.168.7.12, no clipboard sharing
      L"1,7,12,0," + kKeyText + L",extra",    // a sixth field: skipped
      L"",                                    // empty: skipped
      L"2,7,13,1," + kKeyText,                // no slot 2: skipped
      L"-1,7,13,1," + kKeyText,               // no slot -1: skipped
      L"0,7,14,1,0011",                       // key cut short: skipped
      L"0,3,4",                               // three fields: skipped
      L"0,9,300,1," + kKeyText,               // octets are cut to a byte
      L"0,9,20,1,FF112233445566778899AABBCCDDEEFF",  // a later line of the same slot wins
  };
  ApplyKmCompListLines(lines, &record);
  EXPECT_EQ(record.enabled[1], 1);
  EXPECT_EQ(record.octet3[1], 7);
  EXPECT_EQ(record.octet4[1], 12);
  EXPECT_EQ(record.clipSync[1], 0);
  EXPECT_EQ(BytesHex(record.key[1], 16), "00112233445566778899aabbccddeeff");
  EXPECT_EQ(record.enabled[0], 1);
  EXPECT_EQ(record.octet3[0], 9);
  EXPECT_EQ(record.octet4[0], 20);
  EXPECT_EQ(record.key[0][0], 0xFF);

  EXPECT_EQ(KmCompListLines(record),
            (std::vector<std::wstring>{L"0,9,20,1,FF112233445566778899AABBCCDDEEFF", L"1,7,12,0," + kKeyText}));
  record.enabled[0] = 0;
  EXPECT_EQ(KmCompListLines(record).size(), 1u);
}

TEST(KmCompList, SwitchMode) {
  EXPECT_EQ(SwitchModeFromText(L"1"), 1);
  EXPECT_EQ(SwitchModeFromText(L"0"), 0);
  EXPECT_EQ(SwitchModeFromText(L"2"), 0);
  EXPECT_EQ(SwitchModeFromText(L""), 0);
}

TEST(KmKeyTableLines, ReadAndWrittenInHostOrder) {
  KmKeyTable table;
  table.SetSubnet(44);
  table.FromLines({L"5", L"200," + kKeyText, L"3,FF" + kKeyText.substr(2), L"", L"256," + kKeyText, L"-1," + kKeyText,
                   L"9,0011", L"10," + kKeyText + L",x", L"zz" + kKeyText});
  EXPECT_EQ(table.Subnet(), 5);
  for (int host = 0; host < KmKeyTable::kHosts; ++host) {
    EXPECT_EQ(table.IsUsed(host), host == 3 || host == 200) << host;
  }
  EXPECT_EQ(table.ToLines(), (std::vector<std::wstring>{L"5", L"3,FF" + kKeyText.substr(2), L"200," + kKeyText}));
  EXPECT_FALSE(table.IsUsed(-1));
  EXPECT_FALSE(table.IsUsed(256));
}

TEST(KmKeyTableLines, SnapshotAndSubnetAtStartUp) {
  KmKeyTable table;
  const uint8_t key[16] = {9};
  table.StoreKey(12, 40, key);
  uint8_t copy[16];
  EXPECT_FALSE(table.SnapshotKey(40, copy));
  table.TakeSnapshot();
  ASSERT_TRUE(table.SnapshotKey(40, copy));
  EXPECT_EQ(copy[0], 9);
  EXPECT_EQ(table.SnapshotSubnet(), 12);
  EXPECT_FALSE(table.SnapshotKey(300, copy));

  const uint8_t private_address[4] = {192, 168, 21, 5};
  const uint8_t no_private_address[4] = {0, 0, 0, 0};
  const uint8_t adapter_address[4] = {10, 0, 77, 9};
  EXPECT_EQ(StartupKeyTableSubnet(private_address, adapter_address), 21);
  EXPECT_EQ(StartupKeyTableSubnet(no_private_address, adapter_address), 77);
}

}  // namespace
