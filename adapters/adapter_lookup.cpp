#include "adapters/adapter_lookup.h"

#include <winsock2.h>
#include <iphlpapi.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {
constexpr DWORD kPollMs = 250;

std::wstring Wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

bool EqualsIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Calls visit for the adapter with the GUID; false when it is not listed.
bool VisitAdapter(const std::wstring& adapterGuid, const std::function<void(const IP_ADAPTER_INFO&)>& visit) {
  ULONG size = 0;
  if (::GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0) return false;
  std::vector<BYTE> buffer(size);
  auto* first = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  if (::GetAdaptersInfo(first, &size) != NO_ERROR) return false;
  for (auto* adapter = first; adapter; adapter = adapter->Next) {
    if (!EqualsIgnoringCase(Wide(adapter->AdapterName), adapterGuid)) continue;
    visit(*adapter);
    return true;
  }
  return false;
}
}  // namespace

bool IpHelperIndexOf(const std::wstring& adapterGuid, DWORD* index) {
  if (adapterGuid.empty()) return false;
  return VisitAdapter(adapterGuid, [index](const IP_ADAPTER_INFO& adapter) { *index = adapter.Index; });
}

bool AdapterHasIpv4(const std::wstring& adapterGuid, const std::wstring& address, DWORD waitMs) {
  if (adapterGuid.empty()) return false;
  for (DWORD waited = 0;; waited += kPollMs) {
    bool found = false;
    VisitAdapter(adapterGuid, [&](const IP_ADAPTER_INFO& adapter) {
      for (const IP_ADDR_STRING* ip = &adapter.IpAddressList; ip; ip = ip->Next) {
        if (Wide(ip->IpAddress.String) == address) found = true;
      }
    });
    if (found) return true;
    if (waited >= waitMs) return false;
    ::Sleep(kPollMs);
  }
}
