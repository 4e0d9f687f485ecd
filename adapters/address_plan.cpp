#include "adapters/address_plan.h"

namespace {
constexpr int kNameUnits = 16;
constexpr int kPrimes[kNameUnits] = {11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53, 59, 61, 67, 71};
constexpr int64_t kInt32Max = 2147483647;

bool ForcedSubnet(std::wstring_view name, int* subnet) {
  if (name.size() <= 2 || name.front() != L'[' || name.back() != L']') return false;
  int64_t value = 0;
  for (wchar_t c : name.substr(1, name.size() - 2)) {
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + (c - L'0');
    if (value > kInt32Max) value = kInt32Max;
  }
  *subnet = static_cast<int>(value % 256);
  return true;
}
}  // namespace

int SubnetFromNetworkName(std::wstring_view name) {
  name = name.substr(0, kNameUnits);
  int subnet = 0;
  if (ForcedSubnet(name, &subnet)) return subnet;
  int64_t sum = 0;
  for (size_t i = 0; i < name.size(); ++i) sum += static_cast<int64_t>(static_cast<uint16_t>(name[i])) * kPrimes[i];
  return static_cast<int>(sum % 180) + 20;
}

int HostFromMac(const uint8_t mac[6]) {
  const int weights[6] = {53, 59, 61, 67, 71, 73};
  int sum = 0;
  for (int i = 0; i < 6; ++i) sum += weights[i] * mac[i];
  return sum % 249 + 1;
}

void ProposeVirtualMac(uint8_t virtualMac[6], const uint8_t physicalMac[6], int subnet) {
  virtualMac[0] = 0x02;
  virtualMac[1] = physicalMac[3];
  virtualMac[2] = physicalMac[4];
  virtualMac[3] = physicalMac[5];
  virtualMac[4] = static_cast<uint8_t>(subnet);
  virtualMac[5] = 0x00;
}

FreeHostPick PickFreeHost(const bool used[kScanHosts], int plannedHost, uint32_t tick) {
  FreeHostPick pick;
  pick.host = plannedHost;
  if (plannedHost < 1 || plannedHost > kScanHosts || !used[plannedHost - 1]) return pick;
  uint32_t free = 0;
  for (int h = 1; h <= kPickableHosts; ++h) free += used[h - 1] ? 0 : 1;
  if (free == 0) {
    pick.noFreeHost = true;
    return pick;
  }
  uint32_t wanted = tick % free;
  for (int h = 1; h <= kPickableHosts; ++h) {
    if (used[h - 1]) continue;
    if (wanted-- == 0) {
      pick.host = h;
      pick.changed = true;
      break;
    }
  }
  return pick;
}
