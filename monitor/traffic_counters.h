// The arithmetic of the adapter counters: one slot per row of the Status page's adapter table,
// the difference of each tick, the totals and averages since the last reset. A reading below the
// slot's previous one (an adapter made again, the driver reloaded) starts the slot afresh as a
// first reading, so it never shows as a difference near 2^64.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr size_t kAdapterSlots = 21;

// The difference of one counter since *previous, which becomes current; 0 on a first reading
// (previous 0) and on a reading below the previous one.
uint64_t CounterDelta(uint64_t* previous, uint64_t current);

struct AdapterFigures {
  uint64_t tickSent = 0, tickReceived = 0;
  uint64_t averageSent = 0, averageReceived = 0;
};

class TrafficCounters {
 public:
  // Counts one more tick; on a wrap to 0 the slots restart and the count is 1.
  void BeginTick();
  // The figures of slot for this tick from the adapter's running totals.
  AdapterFigures Apply(size_t slot, uint64_t sent, uint64_t received);
  // Zeroes the previous readings, the totals and the tick count.
  void Reset();
  uint64_t Ticks() const { return ticks_; }
  void SetTicksForTest(uint64_t ticks) { ticks_ = ticks; }

 private:
  void ClearSlots();

  std::array<uint64_t, kAdapterSlots> previousSent_{}, previousReceived_{};
  std::array<uint64_t, kAdapterSlots> totalSent_{}, totalReceived_{};
  uint64_t ticks_ = 0;
};

// What one traffic reply gives the Status page: the figures of each row that a record matched.
struct TrafficTick {
  bool seen = false;  // a record matched a row
  std::array<AdapterFigures, kAdapterSlots> rows{};
};

// Walks the reply within returned bytes; a record goes to the first row with its MAC.
void ApplyTrafficReply(const uint8_t* reply, size_t returned, const std::vector<std::array<uint8_t, 6>>& rowMacs,
                       TrafficCounters* counters, TrafficTick* tick);
