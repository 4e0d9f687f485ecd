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
#include "common/adapter_table_wmi.h"

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

// The values WMI may hand over for one adapter, as the enumeration passes them on: an adapter
// without a MAC address (MACAddress NULL) stays in the table with six zeros, and the ones after it
// are still taken.
TEST(AdapterTableWmi, AnAdapterWithoutAMacAddressIsKeptWithZeros) {
  struct Case {
    const char* what;
    int index;
    const wchar_t* name;  // nullptr: NULL
    const wchar_t* mac;   // nullptr: NULL
    std::array<uint8_t, 6> expectedMac;
    const wchar_t* expectedName;
  };
  const Case cases[] = {
      {"a MAC address", 3, L"eth0", L"02:11:22:33:44:55", {0x02, 0x11, 0x22, 0x33, 0x44, 0x55}, L"eth0"},
      {"MACAddress NULL", 4, L"Microsoft Kernel Debug Network Adapter", nullptr, {0, 0, 0, 0, 0, 0},
       L"Microsoft Kernel Debug Network Adapter"},
      {"after it, another one", 5, L"eth1", L"02:AA:BB:CC:DD:EE", {0x02, 0xaa, 0xbb, 0xcc, 0xdd, 0xee}, L"eth1"},
      {"an empty MAC text", 6, L"eth2", L"", {0, 0, 0, 0, 0, 0}, L"eth2"},
      {"Name NULL too", 7, nullptr, nullptr, {0, 0, 0, 0, 0, 0}, L""},
  };
  auto text = [](Variant& value, const wchar_t* s) {
    VARIANT* v = value.Out();
    if (s) {
      v->vt = VT_BSTR;
      v->bstrVal = ::SysAllocString(s);
    } else {
      v->vt = VT_NULL;
    }
  };
  AdapterTable table;
  for (const Case& c : cases) {
    Variant index, name, mac;
    VARIANT* i = index.Out();
    i->vt = VT_I4;
    i->lVal = c.index;
    text(name, c.name);
    text(mac, c.mac);
    AddWmiAdapter(table, index, name, mac);
  }
  ASSERT_EQ(table.Count(), static_cast<int>(std::size(cases)));
  for (int at = 0; at < table.Count(); ++at) {
    const Case& c = cases[at];
    SCOPED_TRACE(c.what);
    const AdapterTableEntry& e = table.Entry(at);
    EXPECT_EQ(e.Index, c.index);
    EXPECT_STREQ(e.Name, c.expectedName);
    EXPECT_EQ((std::array<uint8_t, 6>{e.Mac[0], e.Mac[1], e.Mac[2], e.Mac[3], e.Mac[4], e.Mac[5]}), c.expectedMac);
  }
}

}  // namespace
