#include "adapters/adapter_enum.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <ws2tcpip.h>

#include <string>

#include "adapters/adapter_system_calls.h"
#include "adapters/program_folder.h"
#include "common/adapter_table.h"
#include "common/os_version.h"
#include "common/settings_file.h"
#include "platform/adapter_description.h"

namespace {

std::wstring FromAnsi(const char* text, int maxChars) {
  int length = 0;
  while (length < maxChars && text[length]) ++length;
  if (length == 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  const int converted = ::MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), length);
  wide.resize(converted > 0 ? static_cast<size_t>(converted) : 0);
  return wide;
}

// The description as the system reads it: under Wine the device's own for the adapters the
// device tree holds, where the IP Helper reports the Linux interface's name.
std::wstring DescriptionOf(const IP_ADAPTER_INFO& adapter, int maxChars) {
  const std::wstring reported = FromAnsi(adapter.Description, maxChars);
  wchar_t installed[132];
  if (FillInAdapterDescription(reported.c_str(), installed, 132)) return std::wstring(installed).substr(0, maxChars);
  return reported;
}

AdapterListing ListingOf(const IP_ADAPTER_INFO& adapter, bool xp) {
  AdapterListing listing;
  listing.index = adapter.Index;
  listing.ipv4 = FromAnsi(adapter.IpAddressList.IpAddress.String, 16);
  listing.gateway = FromAnsi(adapter.GatewayList.IpAddress.String, 16);
  listing.description = DescriptionOf(adapter, 131);
  listing.adapterName = FromAnsi(adapter.AdapterName, 63);
  wchar_t ipv6[64] = {};
  if (GetInterfaceIpv6Text(ipv6, 64, adapter.Index)) listing.ipv6 = ipv6;
  if (xp) {
    for (int i = 0; i < 6; ++i) listing.mac[i] = adapter.Address[i];
  } else {
    g_AdapterTable.GetMac(listing.mac, listing.description.c_str());
  }
  return listing;
}

}  // namespace

bool EnumAdapters(IpAdapterRecord* records, uint32_t* count, int filter, const uint8_t pppoeMac[6], bool addPseudo) {
  const bool xp = GetOsTypeCode() == kOsTypeWindowsXp;
  *count = 0;
  ULONG size = 0;
  const ULONG asked = g_AdapterSystemCalls.getAdaptersInfo(nullptr, &size);
  if (asked == ERROR_NO_DATA) return true;
  if (asked != ERROR_BUFFER_OVERFLOW) return false;
  auto* list = static_cast<IP_ADAPTER_INFO*>(::HeapAlloc(::GetProcessHeap(), 0, size));
  if (!list) return false;
  if (g_AdapterSystemCalls.getAdaptersInfo(list, &size) != ERROR_SUCCESS) {
    ::HeapFree(::GetProcessHeap(), 0, list);
    return false;
  }
  for (const IP_ADAPTER_INFO* adapter = list; adapter; adapter = adapter->Next) {
    if (!PassesAdapterFilter(filter, DescriptionOf(*adapter, 128))) continue;
    AddAdapterRecord(records, *count, ListingOf(*adapter, xp));
  }
  ::HeapFree(::GetProcessHeap(), 0, list);
  if (addPseudo) AddPppoePseudoRecord(records, *count, pppoeMac);
  return true;
}

bool EnumAdaptersWithPppoe(IpAdapterRecord* records, uint32_t* count, int filter) {
  const uint8_t none[6] = {};
  if (!EnumAdapters(records, count, filter, none, false)) return false;
  const std::wstring path = SettingsFilePath(ProgramFolder(), L"PppoeAdaptMacAddr.txt");
  if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    std::wstring value;
    ReadSettingValue(path, value);
    uint8_t mac[6];
    PppoeMacFromText(mac, value);
    AddPppoePseudoRecord(records, *count, mac);
  }
  return true;
}

bool GetInterfaceIpv6Text(wchar_t* text, size_t capacity, uint32_t interfaceIndex) {
  ULONG size = 0x4000;
  for (int attempt = 0; attempt < 3; ++attempt) {
    auto* list = static_cast<IP_ADAPTER_ADDRESSES*>(::HeapAlloc(::GetProcessHeap(), 0, size));
    if (!list) return false;
    const ULONG result = ::GetAdaptersAddresses(AF_UNSPEC, GAA_FLAG_INCLUDE_PREFIX, nullptr, list, &size);
    if (result == ERROR_BUFFER_OVERFLOW) {
      ::HeapFree(::GetProcessHeap(), 0, list);
      continue;
    }
    bool found = false;
    if (result == ERROR_SUCCESS) {
      for (const IP_ADAPTER_ADDRESSES* adapter = list; adapter && !found; adapter = adapter->Next) {
        if (adapter->IfIndex != interfaceIndex) continue;
        for (const IP_ADAPTER_UNICAST_ADDRESS* unicast = adapter->FirstUnicastAddress; unicast;
             unicast = unicast->Next) {
          const SOCKADDR* address = unicast->Address.lpSockaddr;
          if (!address || address->sa_family != AF_INET6) continue;
          const auto* v6 = reinterpret_cast<const sockaddr_in6*>(address);
          CopyField(text, capacity, FormatIpv6Groups(v6->sin6_addr.s6_addr));
          found = true;
          break;
        }
        break;
      }
    }
    ::HeapFree(::GetProcessHeap(), 0, list);
    return found;
  }
  return false;
}
