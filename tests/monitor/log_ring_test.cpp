// The Log dialog's ring: one entry per service, address and minute; the 513th distinct entry drops
// the oldest; Clear empties it; the rows' texts.
#include "monitor/log_ring.h"

#include <gtest/gtest.h>

namespace {

LogEntry At(int minute, int type, int address) { return {2026, 12, 11, 5, minute, type, address}; }

TEST(LogRing, KeepsOneEntryPerServiceAddressAndMinute) {
  LogRing ring;
  EXPECT_TRUE(ring.Add(At(1, 1, 0x0A000002)));
  EXPECT_TRUE(ring.Add(At(1, 2, 0x0A000002)));
  EXPECT_FALSE(ring.Add(At(1, 1, 0x0A000002)));  // the same request in the same minute
  EXPECT_TRUE(ring.Add(At(2, 1, 0x0A000002)));
  EXPECT_FALSE(ring.Add(At(1, 2, 0x0A000002)));  // an older equal entry still counts
  ASSERT_EQ(ring.Size(), 3u);
  auto entries = ring.Entries();
  EXPECT_EQ(entries[0], At(1, 1, 0x0A000002));
  EXPECT_EQ(entries[2], At(2, 1, 0x0A000002));
}

TEST(LogRing, HoldsTheLatest512OldestFirst) {
  LogRing ring;
  for (int i = 0; i < 513; ++i) ASSERT_TRUE(ring.Add(At(0, 1, i)));
  auto entries = ring.Entries();
  ASSERT_EQ(entries.size(), 512u);
  EXPECT_EQ(entries.front().address, 1);
  EXPECT_EQ(entries.back().address, 512);
  ring.Clear();
  EXPECT_EQ(ring.Size(), 0u);
  EXPECT_TRUE(ring.Add(At(0, 1, 1)));  // logged again after Clear
  EXPECT_EQ(ring.Size(), 1u);
}

TEST(LogRing, RowTexts) {
  LogRowTexts rdp = FormatLogRow({2026, 3, 4, 9, 7, 1, static_cast<int32_t>(0xC0A80A02u)});
  EXPECT_STREQ(rdp.time, "2026,03/04,09:07");
  EXPECT_STREQ(rdp.address, "192.168.10.2");
  EXPECT_STREQ(rdp.action, "Remote Desktop Req");
  EXPECT_STREQ(FormatLogRow(At(0, 2, 1)).action, "CIFS Req");
}

}  // namespace
