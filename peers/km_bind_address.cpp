#include "peers/km_bind_address.h"

#include <iphlpapi.h>

#include <cstring>
#include <cwchar>
#include <vector>

#include "common/adapter_table.h"

namespace {

constexpr DWORD kLinkRetryMs = 1000;
constexpr DWORD kBindRetryMs = 1000;
constexpr DWORD kAutoAddressRetryMs = 2000;

bool ParseAddressText(const wchar_t* text, uint8_t address[4]) {
  unsigned parts[4];
  wchar_t rest = 0;
  if (std::swscanf(text, L"%u.%u.%u.%u%lc", &parts[0], &parts[1], &parts[2], &parts[3], &rest) != 4) return false;
  for (int i = 0; i < 4; ++i) {
    if (parts[i] > 255) return false;
    address[i] = static_cast<uint8_t>(parts[i]);
  }
  return true;
}

// Wine binds a UDP socket to a missing address as to every address: only an address some
// interface holds is bound.
bool LocalAddressPresent(const uint8_t address[4]) {
  ULONG size = 0;
  if (::GetIpAddrTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER) return false;
  std::vector<BYTE> buffer(size);
  auto* table = reinterpret_cast<MIB_IPADDRTABLE*>(buffer.data());
  if (::GetIpAddrTable(table, &size, FALSE) != NO_ERROR) return false;
  uint32_t wanted;
  std::memcpy(&wanted, address, 4);
  for (DWORD i = 0; i < table->dwNumEntries; ++i) {
    if (table->table[i].dwAddr == wanted) return true;
  }
  return false;
}

// Sleeps unless the stop event comes first.
void Pause(HANDLE stopEvent, DWORD ms) {
  if (stopEvent) {
    // The event is auto-reset: a stop taken here is given back for the thread's own wait.
    if (::WaitForSingleObject(stopEvent, ms) == WAIT_OBJECT_0) ::SetEvent(stopEvent);
  } else {
    ::Sleep(ms);
  }
}

bool AdapterHasLink(const std::wstring& name) {
  if (g_AdapterTable.Count() == 0) return false;
  const int found = g_AdapterTable.Find(name.c_str());
  return found >= 0 && g_AdapterTable.Entry(found).link.load() == 1;
}

}  // namespace

bool GetAdapterIpByGuid(wchar_t address[16], const wchar_t* guidName) {
  ULONG size = 0;
  if (::GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) return false;
  HANDLE heap = ::GetProcessHeap();
  auto* adapters = static_cast<IP_ADAPTER_INFO*>(::HeapAlloc(heap, 0, size));
  if (!adapters) return false;
  if (::GetAdaptersInfo(adapters, &size) != NO_ERROR) {
    ::HeapFree(heap, 0, adapters);
    return false;
  }
  bool matched = false;
  for (const IP_ADAPTER_INFO* adapter = adapters; adapter; adapter = adapter->Next) {
    wchar_t name[257] = {};
    ::MultiByteToWideChar(CP_ACP, 0, adapter->AdapterName, -1, name, 256);
    if (std::wcscmp(name, guidName) != 0) continue;
    char text[16] = {};
    std::memcpy(text, adapter->IpAddressList.IpAddress.String, 15);
    address[0] = L'\0';
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, address, 16);
    matched = true;
  }
  ::HeapFree(heap, 0, adapters);
  return matched;
}

bool BindWhenAdapterReady(SOCKET socket, const LocalBindPlan& plan, const std::atomic<bool>& stop, HANDLE stopEvent) {
  const uint8_t none[4] = {};
  const bool lookUpAddress = std::memcmp(plan.privateAddress, none, 4) == 0;
  while (!stop.load()) {
    if (!AdapterHasLink(plan.adapterName)) {
      Pause(stopEvent, kLinkRetryMs);
      continue;
    }
    uint8_t address[4] = {};
    if (lookUpAddress) {
      wchar_t text[16] = {};
      if (!GetAdapterIpByGuid(text, plan.adapterGuid.c_str()) || !ParseAddressText(text, address)) {
        std::memset(address, 0, 4);
      }
      if (address[0] == 169 && address[1] == 254) {
        Pause(stopEvent, kAutoAddressRetryMs);
        continue;
      }
    } else {
      std::memcpy(address, plan.privateAddress, 4);
    }
    sockaddr_in bindAddress = {};
    bindAddress.sin_family = AF_INET;
    bindAddress.sin_port = htons(plan.port);
    std::memcpy(&bindAddress.sin_addr, address, 4);
    const bool present = std::memcmp(address, none, 4) == 0 || LocalAddressPresent(address);
    if (present && ::bind(socket, reinterpret_cast<sockaddr*>(&bindAddress), sizeof bindAddress) == 0) return true;
    Pause(stopEvent, kBindRetryMs);
  }
  return false;
}
