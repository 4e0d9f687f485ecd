// The three Swivo settings files written and read back through the program folder's store.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "peers/km_key_table.h"
#include "peers/km_settings.h"
#include "tests/common/temp_folder.h"

namespace {

const uint8_t kKey[16] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
const char kKeyText[] = "00112233445566778899AABBCCDDEEFF";

TEST(KmSettingsFiles, CompListAndSwitchModeRoundTrip) {
  TempFolder folder;
  KmSettingsRecord record = {};
  record.enabled[0] = record.enabled[1] = 1;
  record.octet3[0] = 7;
  record.octet4[0] = 12;
  record.clipSync[0] = 1;
  record.octet3[1] = 7;
  record.octet4[1] = 200;
  std::copy(kKey, kKey + 16, record.key[1]);
  ASSERT_TRUE(SaveKmCompList(folder.path(), record));
  ASSERT_TRUE(SaveSwitchMode(folder.path(), 1));
  EXPECT_EQ(folder.ReadBytes(kKmCompListFile),
            std::string("QVX_VER=1\r\n0,7,12,1,00000000000000000000000000000000\r\n1,7,200,0,") + kKeyText + "\r\n");
  EXPECT_EQ(folder.ReadBytes(kSwKbSettingFile), "QVX_VER=1\r\n1\r\n");

  KmSettingsRecord read;
  std::memset(static_cast<void*>(&read), 0x5A, sizeof read);  // garbage the load must overwrite
  LoadKmSettings(folder.path(), &read);
  EXPECT_EQ(read.switchMode, 1);
  EXPECT_EQ(std::memcmp(read.enabled, record.enabled, 2), 0);
  EXPECT_EQ(std::memcmp(read.octet4, record.octet4, 2), 0);
  EXPECT_EQ(std::memcmp(read.clipSync, record.clipSync, 2), 0);
  EXPECT_EQ(std::memcmp(read.key, record.key, sizeof read.key), 0);

  KmSettingsHolder holder;
  holder.record = read;
  holder.Snapshot();
  holder.record.enabled[0] = 0;  // the record changes, the snapshot keeps what was taken
  EXPECT_EQ(holder.ReadSnapshot().enabled[0], 1);
  EXPECT_EQ(holder.ReadSnapshot().octet4[1], 200);
}

TEST(KmSettingsFiles, SwitchModeTextsAndMissingFiles) {
  struct {
    const char* file;
    int32_t mode;
  } cases[] = {{"QVX_VER=1\r\n 1 \r\n", 1}, {"QVX_VER=1\r\n2\r\n", 0}, {"QVX_VER=1\r\n0\r\n", 0},
               {"QVX_VER=1\r\n", 0}, {"", 0}};
  for (const auto& c : cases) {
    TempFolder folder;
    folder.WriteBytes(kSwKbSettingFile, c.file);
    KmSettingsRecord read;
    LoadKmSettings(folder.path(), &read);
    EXPECT_EQ(read.switchMode, c.mode) << c.file;
  }
  TempFolder empty;
  KmSettingsRecord read;
  std::memset(static_cast<void*>(&read), 0x5A, sizeof read);  // garbage the load must overwrite
  LoadKmSettings(empty.path(), &read);
  EXPECT_EQ(read.enabled[0] | read.enabled[1], 0);
  EXPECT_EQ(read.switchMode, 0);
}

TEST(KmSettingsFiles, CompListBadLinesAreSkipped) {
  TempFolder folder;
  folder.WriteBytes(kKmCompListFile, std::string("QVX_VER=1\r\n\r\n5,1,2,0,") + kKeyText + "\r\n1,7,12,0," + kKeyText +
                                         ",x\r\n1,7,12,0,00ff\r\n0,7,12,0," + kKeyText + "\r\n");
  KmSettingsRecord read;
  LoadKmSettings(folder.path(), &read);
  EXPECT_EQ(read.enabled[0], 1);
  EXPECT_EQ(read.enabled[1], 0);
  EXPECT_EQ(read.octet4[0], 12);
}

TEST(KmKeyTableFile, RoundTripInHostOrder) {
  TempFolder folder;
  KmKeyTable table;
  table.StoreKey(7, 200, kKey);
  table.StoreKey(7, 3, kKey);
  ASSERT_TRUE(table.Save(folder.path()));
  EXPECT_EQ(folder.ReadBytes(KmKeyTable::kFileName),
            std::string("QVX_VER=1\r\n7\r\n3,") + kKeyText + "\r\n200," + kKeyText + "\r\n");
  KmKeyTable read;
  read.Load(folder.path());
  EXPECT_EQ(read.Subnet(), 7);
  EXPECT_TRUE(read.IsUsed(3));
  EXPECT_TRUE(read.IsUsed(200));
  EXPECT_FALSE(read.IsUsed(4));
  uint8_t key[16];
  read.GetKey(200, key);
  EXPECT_EQ(std::memcmp(key, kKey, 16), 0);
}

TEST(KmKeyTableFile, BadLinesAndTheSubnetLine) {
  TempFolder folder;
  folder.WriteBytes(KmKeyTable::kFileName, std::string("QVX_VER=1\r\n 9 \r\n300,") + kKeyText + "\r\n-2," + kKeyText +
                                               "\r\n4,0011\r\n5,x" + std::string(kKeyText).substr(1) + "\r\n\r\n");
  KmKeyTable read;
  read.Load(folder.path());
  EXPECT_EQ(read.Subnet(), 9);
  for (int host = 0; host < KmKeyTable::kHosts; ++host) EXPECT_EQ(read.IsUsed(host), host == 5) << host;
  uint8_t key[16];
  read.GetKey(5, key);
  EXPECT_EQ(key[0], 0);     // "x0" is no hexadecimal pair
  EXPECT_EQ(key[1], 0x11);  // the other fifteen bytes decode normally
}

TEST(KmKeyTableFile, StartUpSubnetAndReload) {
  TempFolder folder;
  KmKeyTable saved;
  saved.StoreKey(30, 8, kKey);
  ASSERT_TRUE(saved.Save(folder.path()));

  const uint8_t no_private_address[4] = {0, 0, 0, 0};
  const uint8_t adapter_address[4] = {192, 168, 30, 4};
  KmKeyTable table;
  table.LoadAtStartup(folder.path(), no_private_address, adapter_address);
  EXPECT_EQ(table.Subnet(), 30);  // the adapter's third octet, so paired controllers stay admitted
  uint8_t key[16];
  EXPECT_TRUE(table.SnapshotKey(8, key));

  const uint8_t private_address[4] = {192, 168, 31, 4};
  table.LoadAtStartup(folder.path(), private_address, adapter_address);
  EXPECT_EQ(table.Subnet(), 31);
  table.Load(folder.path());  // a reload takes the subnet from the file
  EXPECT_EQ(table.Subnet(), 30);

  TempFolder empty;
  table.Load(empty.path());  // no file: an empty table, the subnet as it was
  EXPECT_EQ(table.Subnet(), 30);
  EXPECT_FALSE(table.IsUsed(8));
}

}  // namespace
