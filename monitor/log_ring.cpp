#include "monitor/log_ring.h"

#include <cstdio>

bool LogEntry::operator==(const LogEntry& o) const {
  return year == o.year && month == o.month && day == o.day && hour == o.hour && minute == o.minute &&
         type == o.type && address == o.address;
}

LogRing::LogRing() : slots_(kSlots) {}

bool LogRing::Add(const LogEntry& entry) {
  for (size_t i = read_; i != write_; i = (i + 1) % kSlots) {
    if (slots_[i] == entry) return false;
  }
  slots_[write_] = entry;
  write_ = (write_ + 1) % kSlots;
  if (write_ == read_) read_ = (read_ + 1) % kSlots;
  return true;
}

std::vector<LogEntry> LogRing::Entries() const {
  std::vector<LogEntry> entries;
  for (size_t i = read_; i != write_; i = (i + 1) % kSlots) entries.push_back(slots_[i]);
  return entries;
}

LogRowTexts FormatLogRow(const LogEntry& e) {
  LogRowTexts texts;
  std::snprintf(texts.time, sizeof texts.time, "%04d,%02d/%02d,%02d:%02d", e.year, e.month, e.day, e.hour, e.minute);
  uint32_t a = static_cast<uint32_t>(e.address);
  std::snprintf(texts.address, sizeof texts.address, "%u.%u.%u.%u", a >> 24, a >> 16 & 0xFF, a >> 8 & 0xFF, a & 0xFF);
  texts.action = e.type == 1 ? "Remote Desktop Req" : e.type == 2 ? "CIFS Req" : "";
  return texts;
}
