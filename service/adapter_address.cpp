#include "service/adapter_address.h"

#include <winsock2.h>
#include <iphlpapi.h>

#include <cstring>
#include <cwchar>
#include <vector>

bool GetAdapterIpByGuid(wchar_t address[16], const wchar_t* guidName) {
  ULONG size = 0;
  if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) return false;
  HANDLE heap = GetProcessHeap();
  auto* adapters = static_cast<IP_ADAPTER_INFO*>(HeapAlloc(heap, 0, size));
  if (!adapters) return false;
  if (GetAdaptersInfo(adapters, &size) != NO_ERROR) {
    HeapFree(heap, 0, adapters);
    return false;
  }
  bool matched = false;
  for (const IP_ADAPTER_INFO* adapter = adapters; adapter; adapter = adapter->Next) {
    wchar_t name[MAX_ADAPTER_NAME_LENGTH + 4] = {};
    MultiByteToWideChar(CP_ACP, 0, adapter->AdapterName, -1, name, MAX_ADAPTER_NAME_LENGTH + 4);
    // Exactly, letter case included: a GUID name differing in case names another adapter.
    if (std::wcscmp(name, guidName) != 0) continue;
    char text[16] = {};
    std::memcpy(text, adapter->IpAddressList.IpAddress.String, 15);
    address[0] = L'\0';
    MultiByteToWideChar(CP_ACP, 0, text, -1, address, 16);
    matched = true;
    break;
  }
  HeapFree(heap, 0, adapters);
  return matched;
}

bool LocalAddressPresent(const uint8_t address[4]) {
  ULONG size = 0;
  if (GetIpAddrTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER) return false;
  std::vector<BYTE> buffer(size);
  auto* table = reinterpret_cast<MIB_IPADDRTABLE*>(buffer.data());
  if (GetIpAddrTable(table, &size, FALSE) != NO_ERROR) return false;
  uint32_t wanted;
  std::memcpy(&wanted, address, 4);
  for (DWORD i = 0; i < table->dwNumEntries; ++i) {
    if (table->table[i].dwAddr == wanted) return true;
  }
  return false;
}
