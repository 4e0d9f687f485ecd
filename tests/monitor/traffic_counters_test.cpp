// The counter arithmetic of the Status page: first readings, normal differences, a counter that
// drops (an adapter made again, a driver reload), the reset, the tick wrap and the averages.
#include "monitor/traffic_counters.h"

#include <gtest/gtest.h>

#include "monitor/driver_reply_writer.h"

namespace {

TEST(CounterDelta, Table) {
  struct Case {
    const char* what;
    uint64_t previous, current, delta, previousAfter;
  } cases[] = {
      {"first reading", 0, 500, 0, 500},
      {"normal", 100, 350, 250, 350},
      {"unchanged", 350, 350, 0, 350},
      {"drop after a reload", 1000000, 10, 0, 10},
      {"drop to zero", 42, 0, 0, 0},
      {"near the top", UINT64_MAX - 10, UINT64_MAX, 10, UINT64_MAX},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    uint64_t previous = c.previous;
    EXPECT_EQ(CounterDelta(&previous, c.current), c.delta);
    EXPECT_EQ(previous, c.previousAfter);
  }
}

TEST(TrafficCounters, AveragesCountFromTheFirstReadingAndRestartAfterAReset) {
  TrafficCounters counters;
  struct Step {
    bool reset;
    uint64_t sent, received;
    uint64_t tickSent, averageSent, averageReceived;
  } steps[] = {
      {false, 1000, 5000, 0, 0, 0},         // first reading
      {false, 3000, 9000, 2000, 1000, 2000},
      {false, 4000, 9000, 1000, 1000, 1333},
      {false, 100, 200, 0, 750, 1000},      // the driver reloaded: a first reading again
      {false, 700, 200, 600, 720, 800},
      {true, 900, 300, 0, 0, 0},            // reset before this tick: a first reading
      {false, 1900, 300, 1000, 500, 0},
  };
  for (const Step& s : steps) {
    if (s.reset) counters.Reset();
    counters.BeginTick();
    AdapterFigures f = counters.Apply(3, s.sent, s.received);
    EXPECT_EQ(f.tickSent, s.tickSent) << s.sent;
    EXPECT_EQ(f.averageSent, s.averageSent) << s.sent;
    EXPECT_EQ(f.averageReceived, s.averageReceived) << s.sent;
  }
}

TEST(TrafficCounters, TheTickWrapRestartsTheSlots) {
  TrafficCounters counters;
  counters.BeginTick();
  counters.Apply(0, 100, 100);
  counters.SetTicksForTest(UINT64_MAX);
  counters.BeginTick();
  EXPECT_EQ(counters.Ticks(), 1u);
  EXPECT_EQ(counters.Apply(0, 500, 500).tickSent, 0u);  // the slot starts again
}

TEST(ApplyTrafficReply, FillsTheFirstRowOfEachMacAndSkipsUnknownMacs) {
  std::vector<std::array<uint8_t, 6>> rows = {{2, 0, 0, 0, 0, 1}, {2, 0, 0, 0, 0, 2}, {2, 0, 0, 0, 0, 1}};
  TrafficCounters counters;
  auto reply = [](uint64_t a, uint64_t b) {
    return WriteTrafficReply({{{2, 0, 0, 0, 0, 9}, {0, 7, 7, 7, 0, 7, 7, 7}},
                              {{2, 0, 0, 0, 0, 1}, {0, a, 0, 0, 0, b, 0, 0}}},
                             1000);
  };
  TrafficTick tick;
  counters.BeginTick();
  auto first = reply(100, 200);
  ApplyTrafficReply(first.data(), first.size(), rows, &counters, &tick);
  EXPECT_TRUE(tick.seen);
  counters.BeginTick();
  tick = {};
  auto second = reply(1100, 2200);
  ApplyTrafficReply(second.data(), second.size(), rows, &counters, &tick);
  EXPECT_EQ(tick.rows[0].tickSent, 1000u);
  EXPECT_EQ(tick.rows[0].tickReceived, 2000u);
  EXPECT_EQ(tick.rows[2].tickSent, 0u);  // the same MAC again: only the first row
  EXPECT_EQ(tick.rows[1].tickSent, 0u);

  TrafficTick none;
  std::vector<uint8_t> empty = {0, 0, 0, 0};
  ApplyTrafficReply(empty.data(), empty.size(), rows, &counters, &none);
  EXPECT_FALSE(none.seen);
}

}  // namespace
