#include "peers/km_key_table.h"

#include <cstring>

#include "peers/km_line_fields.h"

uint8_t KmKeyTable::Subnet() const {
  std::lock_guard<std::mutex> hold(lock_);
  return live_.subnet;
}

void KmKeyTable::SetSubnet(uint8_t subnet) {
  std::lock_guard<std::mutex> hold(lock_);
  live_.subnet = subnet;
}

bool KmKeyTable::IsUsed(int host) const {
  if (host < 0 || host >= kHosts) return false;
  std::lock_guard<std::mutex> hold(lock_);
  return live_.used[host] != 0;
}

void KmKeyTable::GetKey(int host, uint8_t key[kKmBlockSize]) const {
  std::memset(key, 0, kKmBlockSize);
  if (host < 0 || host >= kHosts) return;
  std::lock_guard<std::mutex> hold(lock_);
  std::memcpy(key, live_.key[host], kKmBlockSize);
}

void KmKeyTable::StoreKey(uint8_t subnet, uint8_t host, const uint8_t key[kKmBlockSize]) {
  std::lock_guard<std::mutex> hold(lock_);
  live_.subnet = subnet;
  live_.used[host] = 1;
  std::memcpy(live_.key[host], key, kKmBlockSize);
}

void KmKeyTable::RemoveKey(uint8_t host) {
  std::lock_guard<std::mutex> hold(lock_);
  live_.used[host] = 0;
  std::memset(live_.key[host], 0, kKmBlockSize);
}

void KmKeyTable::Clear() {
  std::lock_guard<std::mutex> hold(lock_);
  const uint8_t subnet = live_.subnet;
  live_ = Fields();
  live_.subnet = subnet;
}

void KmKeyTable::TakeSnapshot() {
  std::lock_guard<std::mutex> hold(lock_);
  snapshot_ = live_;
}

bool KmKeyTable::SnapshotKey(int host, uint8_t key[kKmBlockSize]) const {
  if (host < 0 || host >= kHosts) return false;
  std::lock_guard<std::mutex> hold(lock_);
  if (!snapshot_.used[host]) return false;
  std::memcpy(key, snapshot_.key[host], kKmBlockSize);
  return true;
}

uint8_t KmKeyTable::SnapshotSubnet() const {
  std::lock_guard<std::mutex> hold(lock_);
  return snapshot_.subnet;
}

std::vector<std::wstring> KmKeyTable::ToLines() const {
  std::lock_guard<std::mutex> hold(lock_);
  std::vector<std::wstring> lines{std::to_wstring(live_.subnet)};
  for (int host = 0; host < kHosts; ++host) {
    if (live_.used[host]) lines.push_back(std::to_wstring(host) + L"," + KeyFieldText(live_.key[host]));
  }
  return lines;
}

void KmKeyTable::FromLines(const std::vector<std::wstring>& lines) {
  Fields read;
  {
    std::lock_guard<std::mutex> hold(lock_);
    read.subnet = live_.subnet;
  }
  if (!lines.empty()) read.subnet = static_cast<uint8_t>(ReadDecimal(lines[0]));
  for (size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    const std::vector<std::wstring> fields = SplitLineFields(lines[i]);
    if (fields.size() != 2) continue;
    const int32_t host = ReadDecimal(fields[0]);
    uint8_t key[kKmBlockSize];
    if (host < 0 || host >= kHosts || !ReadKeyField(fields[1], key)) continue;
    read.used[host] = 1;
    std::memcpy(read.key[host], key, kKmBlockSize);
  }
  std::lock_guard<std::mutex> hold(lock_);
  live_ = read;
}

uint8_t StartupKeyTableSubnet(const uint8_t private_address[4], const uint8_t adapter_address[4]) {
  const bool no_private_address = (private_address[0] | private_address[1] | private_address[2] | private_address[3]) == 0;
  return no_private_address ? adapter_address[2] : private_address[2];
}
