// The Log dialog's memory: the inbound remote-desktop and file-sharing requests, at most 512,
// oldest first. The same service asked for from the same address within the same minute is kept
// once; a new entry beyond 512 drops the oldest.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr uint32_t kLogRemoteDesktop = 1;
constexpr uint32_t kLogFileSharing = 2;

// The 8-byte record the flow parse sends with UM_LOG_RECORD.
struct LogRecord {
  uint32_t type;
  uint32_t address;  // most significant byte is the first octet
};

struct LogEntry {
  int32_t year, month, day, hour, minute;
  int32_t type;
  int32_t address;
  bool operator==(const LogEntry& other) const;
};

class LogRing {
 public:
  static constexpr size_t kSlots = 513;  // one always stays empty
  static constexpr size_t kCapacity = kSlots - 1;

  LogRing();
  // False when an equal entry is already there (nothing changes).
  bool Add(const LogEntry& entry);
  void Clear() { read_ = write_; }
  std::vector<LogEntry> Entries() const;
  size_t Size() const { return (write_ + kSlots - read_) % kSlots; }

 private:
  std::vector<LogEntry> slots_;
  size_t read_ = 0, write_ = 0;
};

// Column texts of one entry: "%04d,%02d/%02d,%02d:%02d", the address, the action.
struct LogRowTexts {
  char time[32];
  char address[16];
  const char* action;
};
LogRowTexts FormatLogRow(const LogEntry& entry);
