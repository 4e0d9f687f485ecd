#include "common/adapter_table.h"

#include <cstring>
#include <cwchar>

AdapterTable g_AdapterTable;

void AdapterTable::Clear() {
  for (AdapterTableEntry& entry : entries_) {
    entry.Index = 0;
    std::wmemset(entry.Name, 0, sizeof entry.Name / sizeof entry.Name[0]);
    std::memset(entry.Mac, 0, sizeof entry.Mac);
    entry.link = 0;
  }
  count_ = 0;
}

bool AdapterTable::Add(int32_t index, const wchar_t* name, const uint8_t mac[6]) {
  if (count_ >= kMaxEntries) return false;
  AdapterTableEntry& entry = entries_[count_];
  constexpr size_t kNameCapacity = sizeof entry.Name / sizeof entry.Name[0];
  entry.Index = index;
  std::wmemset(entry.Name, 0, kNameCapacity);
  if (name) std::wcsncpy(entry.Name, name, kNameCapacity - 1);
  std::memcpy(entry.Mac, mac, sizeof entry.Mac);
  entry.link = 0;
  ++count_;
  return true;
}

int AdapterTable::Find(const wchar_t* name) const {
  if (!name) return -1;
  for (int i = 0; i < count_; ++i) {
    if (std::wcscmp(entries_[i].Name, name) == 0) return i;
  }
  return -1;
}

void AdapterTable::GetMac(uint8_t mac[6], const wchar_t* name) const {
  int i = Find(name);
  if (i < 0) {
    std::memset(mac, 0, 6);
    return;
  }
  std::memcpy(mac, entries_[i].Mac, 6);
}

uint8_t AdapterTable::GetLinkFlag(const wchar_t* name) const {
  int i = Find(name);
  return i < 0 ? 0 : entries_[i].link.load();
}

int AdapterTable::GetIndex(const wchar_t* name) const {
  int i = Find(name);
  return i < 0 ? 1 : entries_[i].Index;
}

void AdapterTable::SetLinkFlag(const wchar_t* name, uint8_t link) {
  int i = Find(name);
  if (i >= 0) entries_[i].link = link;
}
