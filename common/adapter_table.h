// The physical Ethernet adapters of this computer by name (from WMI at start-up), with link bytes
// that the link-status watcher keeps current. One table per program.
#pragma once
#include <atomic>
#include <cstdint>

struct AdapterTableEntry {
  int32_t Index = 0;
  wchar_t Name[128] = {};
  uint8_t Mac[6] = {};
  std::atomic<uint8_t> link{0};  // 1 when the medium is connected; read without the link lock
};

class AdapterTable {
 public:
  static constexpr int kMaxEntries = 20;

  // Fills the table from Win32_NetworkAdapter (Ethernet 802.3 only); COM must be initialised.
  void EnumerateWmi();

  // Empties the table.
  void Clear();
  // Appends one adapter; false when the table is full. A longer name is cut to 127 characters.
  bool Add(int32_t index, const wchar_t* name, const uint8_t mac[6]);

  // The position of the first entry whose name matches exactly; -1 when there is none.
  int Find(const wchar_t* name) const;

  // Lookups take the first entry whose name matches exactly.
  void GetMac(uint8_t mac[6], const wchar_t* name) const;  // six zeros when there is none
  uint8_t GetLinkFlag(const wchar_t* name) const;          // 0 when there is none
  int GetIndex(const wchar_t* name) const;                 // 1 when there is none
  void SetLinkFlag(const wchar_t* name, uint8_t link);     // nothing when there is none

  int Count() const { return count_; }
  const AdapterTableEntry& Entry(int i) const { return entries_[i]; }
  AdapterTableEntry& Entry(int i) { return entries_[i]; }

 private:
  AdapterTableEntry entries_[kMaxEntries];
  int32_t count_ = 0;
};

// The program's table.
extern AdapterTable g_AdapterTable;
