// The IPv4 adapter table the pages, the driver channel and the address dialogs share: 21 records
// and a count, filled from the adapter list with the miniport filter, and the PPPoE pseudo record.
// No windows.h: the native build checks the filling rules.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

struct IpAdapterRecord {
  wchar_t indexText[8];
  wchar_t ipv4[16];
  wchar_t gateway[16];
  uint8_t mac[6];
  uint8_t defaultRoute;
  uint8_t isPseudo;
  wchar_t ipv6[64];
  wchar_t description[132];
  wchar_t adapterName[64];
};

constexpr uint32_t kMaxAdapterRecords = 21;

// Which adapters the enumeration lets through.
enum AdapterFilter : int { kAllAdapters = 0, kMiniportsOnly = 1 };

// One adapter as the IP Helper gave it, already in UTF-16.
struct AdapterListing {
  uint32_t index = 0;
  std::wstring ipv4, gateway, description, adapterName, ipv6;
  uint8_t mac[6] = {};
};

// True when the filter lets the adapter through (its description's first 128 characters decide).
bool PassesAdapterFilter(int filter, std::wstring_view description);
// Fills the next record; false (nothing written) when 21 are filled already.
bool AddAdapterRecord(IpAdapterRecord* records, uint32_t& count, const AdapterListing& adapter);
// Appends the PPPoE pseudo record. With 21 real records there is no room and it is dropped.
bool AddPppoePseudoRecord(IpAdapterRecord* records, uint32_t& count, const uint8_t mac[6]);

// The PPPoE MAC of "PppoeAdaptMacAddr.txt": six "-"-separated hex pairs; anything else gives zeros.
void PppoeMacFromText(uint8_t mac[6], std::wstring_view text);

// Eight groups of four lower-case hex digits, each from two bytes in network order.
std::wstring FormatIpv6Groups(const uint8_t address[16]);

// Copies at most capacity - 1 characters and always ends the field.
void CopyField(wchar_t* field, size_t capacity, std::wstring_view text);
template <size_t N>
void CopyField(wchar_t (&field)[N], std::wstring_view text) {
  CopyField(field, N, text);
}
