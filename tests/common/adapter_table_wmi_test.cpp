// The table WMI fills, against what IP Helper reports for the same computer's Ethernet adapters.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "common/adapter_table.h"

namespace {

struct Adapter {
  int index;
  std::array<uint8_t, 6> mac;
  bool operator==(const Adapter& o) const { return index == o.index && mac == o.mac; }
};

std::ostream& operator<<(std::ostream& out, const Adapter& a) {
  out << "index " << a.index << " mac";
  for (uint8_t b : a.mac) out << ' ' << std::hex << int(b) << std::dec;
  return out;
}

// Ethernet adapters by name, as GetAdaptersAddresses lists them.
std::map<std::wstring, Adapter> IpHelperEthernetAdapters() {
  std::map<std::wstring, Adapter> adapters;
  ULONG size = 0;
  GetAdaptersAddresses(AF_UNSPEC, GAA_FLAG_INCLUDE_ALL_INTERFACES, nullptr, nullptr, &size);
  std::vector<uint8_t> buffer(size);
  auto* list = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
  if (GetAdaptersAddresses(AF_UNSPEC, GAA_FLAG_INCLUDE_ALL_INTERFACES, nullptr, list, &size) != NO_ERROR) {
    ADD_FAILURE() << "GetAdaptersAddresses failed";
    return adapters;
  }
  for (auto* a = list; a; a = a->Next) {
    if (a->IfType != IF_TYPE_ETHERNET_CSMACD) continue;
    Adapter adapter{static_cast<int>(a->IfIndex), {}};
    for (ULONG i = 0; i < 6 && i < a->PhysicalAddressLength; ++i) adapter.mac[i] = a->PhysicalAddress[i];
    adapters.emplace(a->FriendlyName, adapter);
  }
  return adapters;
}

TEST(AdapterTableWmi, ListsTheEthernetAdaptersOfThisComputer) {
  AdapterTable table;
  table.EnumerateWmi();
  std::map<std::wstring, Adapter> fromWmi;
  for (int i = 0; i < table.Count(); ++i) {
    const AdapterTableEntry& e = table.Entry(i);
    Adapter adapter{e.Index, {e.Mac[0], e.Mac[1], e.Mac[2], e.Mac[3], e.Mac[4], e.Mac[5]}};
    fromWmi.emplace(e.Name, adapter);
    EXPECT_EQ(e.link, 0) << "link bytes start at 0";
  }
  std::map<std::wstring, Adapter> expected = IpHelperEthernetAdapters();
  ASSERT_FALSE(expected.empty()) << "this computer shows no Ethernet adapter";
  if (expected.size() > AdapterTable::kMaxEntries) {
    EXPECT_EQ(table.Count(), AdapterTable::kMaxEntries);
    return;
  }
  EXPECT_EQ(fromWmi, expected);
  // The loopback interface is not Ethernet.
  EXPECT_EQ(table.Find(L"lo"), -1);
}

TEST(AdapterTableWmi, FillingReplacesWhatTheTableHeld) {
  AdapterTable table;
  const uint8_t mac[6] = {1, 2, 3, 4, 5, 6};
  for (int i = 0; i < AdapterTable::kMaxEntries; ++i) table.Add(i, L"stale", mac);
  table.Entry(0).link = 1;
  table.EnumerateWmi();
  EXPECT_EQ(table.Find(L"stale"), -1);
  EXPECT_EQ(table.Count(), static_cast<int>(std::min<size_t>(IpHelperEthernetAdapters().size(),
                                                             AdapterTable::kMaxEntries)));
  for (int i = 0; i < table.Count(); ++i) EXPECT_EQ(table.Entry(i).link, 0) << i;
}

}  // namespace
