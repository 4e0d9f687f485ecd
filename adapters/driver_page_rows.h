// What the Driver page shows, decided once at its creation: which of its three states holds, the
// mode row of an installation without virtual adapters, and the rows of the bound virtual adapters
// numbered by their place in the protocol's binding list. Pure rules, checked by tables.
#pragma once
#include <string>
#include <vector>

struct WanFlags;

enum class DriverPageState { kNotInstalled, kWithVirtualAdapters, kWithoutVirtualAdapters };

// A mode flag set wins; otherwise installed only with a bound physical GUID and a virtual entry.
DriverPageState DecideDriverPageState(const WanFlags& flags, const std::wstring& boundPhysicalGuid,
                                      int boundEntryCount);
// The text key of the first mode flag set, in the order PHYSICAL, WIFI, IP 1, IP 2, DHCP Router.
const char* ModeTextKey(const WanFlags& flags);

struct DriverPageRow {
  std::wstring number;  // "%d" of the binding position, from 1
  std::wstring name;    // the virtual adapter's description
};
struct BoundAdapter {
  std::wstring guid;
  std::wstring description;
};
// For each bound entry ("\Device\{GUID}") the virtual adapters whose GUID equals the text after
// its eighth character; an entry without an adapter adds no row and later rows keep their number.
std::vector<DriverPageRow> VirtualAdapterRows(const std::vector<std::wstring>& boundEntries,
                                              const std::vector<BoundAdapter>& adapters);
