#include "monitor/traffic_counters.h"

#include <cstring>

#include "monitor/driver_replies.h"

uint64_t CounterDelta(uint64_t* previous, uint64_t current) {
  if (*previous == 0 || current < *previous) *previous = current;
  uint64_t delta = current - *previous;
  *previous = current;
  return delta;
}

void TrafficCounters::ClearSlots() {
  previousSent_.fill(0);
  previousReceived_.fill(0);
  totalSent_.fill(0);
  totalReceived_.fill(0);
}

void TrafficCounters::BeginTick() {
  if (++ticks_ == 0) {
    ClearSlots();
    ticks_ = 1;
  }
}

void TrafficCounters::Reset() {
  ClearSlots();
  ticks_ = 0;
}

AdapterFigures TrafficCounters::Apply(size_t slot, uint64_t sent, uint64_t received) {
  AdapterFigures figures;
  if (slot >= kAdapterSlots) return figures;
  figures.tickSent = CounterDelta(&previousSent_[slot], sent);
  figures.tickReceived = CounterDelta(&previousReceived_[slot], received);
  totalSent_[slot] += figures.tickSent;
  totalReceived_[slot] += figures.tickReceived;
  // A tick has counted itself before its poll; a reset between them leaves 0, shown as 0.
  uint64_t divisor = ticks_ ? ticks_ : 1;
  figures.averageSent = totalSent_[slot] / divisor;
  figures.averageReceived = totalReceived_[slot] / divisor;
  return figures;
}

void ApplyTrafficReply(const uint8_t* reply, size_t returned, const std::vector<std::array<uint8_t, 6>>& rowMacs,
                       TrafficCounters* counters, TrafficTick* tick) {
  WalkTrafficRecords(reply, returned, [&](const TrafficReading& reading) {
    for (size_t row = 0; row < rowMacs.size() && row < kAdapterSlots; ++row) {
      if (std::memcmp(rowMacs[row].data(), reading.mac, 6) != 0) continue;
      tick->seen = true;
      tick->rows[row] = counters->Apply(row, reading.sent, reading.received);
      return;
    }
  });
}
