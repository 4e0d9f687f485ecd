#include "platform/flush_ip_net_table.h"

#include <winsock2.h>
#include <iphlpapi.h>

#include <string>
#include <vector>

namespace {
constexpr DWORD kFlushWaitMs = 3000;
constexpr DWORD kPollMs = 50;

std::wstring InterfaceName(DWORD interfaceIndex) {
  ULONG size = 16 * 1024;
  std::vector<BYTE> buffer(size);
  auto* first = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
  if (::GetAdaptersAddresses(AF_INET, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST, nullptr, first, &size) ==
      ERROR_BUFFER_OVERFLOW) {
    buffer.resize(size);
    first = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
  }
  if (::GetAdaptersAddresses(AF_INET, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST, nullptr, first, &size) !=
      NO_ERROR)
    return {};
  for (auto* a = first; a; a = a->Next) {
    if (a->IfIndex == interfaceIndex && a->FriendlyName) return a->FriendlyName;
  }
  return {};
}

// A name that goes into a command line as it is: what Linux allows, without quoting.
bool IsPlainInterfaceName(const std::wstring& name) {
  if (name.empty() || name.size() > 15) return false;
  for (wchar_t c : name) {
    bool plain = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-' ||
                 c == L'_' || c == L'.';
    if (!plain) return false;
  }
  return true;
}

bool HasResolvedNeighbours(DWORD interfaceIndex) {
  ULONG size = 0;
  if (::GetIpNetTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER || size == 0) return false;
  std::vector<BYTE> buffer(size);
  auto* table = reinterpret_cast<MIB_IPNETTABLE*>(buffer.data());
  if (::GetIpNetTable(table, &size, FALSE) != NO_ERROR) return false;
  for (DWORD i = 0; i < table->dwNumEntries; ++i) {
    const MIB_IPNETROW& row = table->table[i];
    if (row.dwIndex != interfaceIndex || row.dwPhysAddrLen != 6) continue;
    if (row.dwType != MIB_IPNET_TYPE_DYNAMIC && row.dwType != MIB_IPNET_TYPE_STATIC) continue;
    // Wine lists an unanswered (incomplete or failed) neighbour as dynamic with a zero MAC.
    for (int b = 0; b < 6; ++b) {
      if (row.bPhysAddr[b]) return true;
    }
  }
  return false;
}
}  // namespace

DWORD FlushIpNetTableOf(DWORD interfaceIndex) {
  DWORD result = ::FlushIpNetTable(interfaceIndex);
  if (result != ERROR_NOT_SUPPORTED) return result;
  const std::wstring name = InterfaceName(interfaceIndex);
  if (!IsPlainInterfaceName(name)) return ERROR_NOT_FOUND;
  std::wstring command = L"Z:\\usr\\sbin\\ip -4 neigh flush dev " + name;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return ::GetLastError();
  // Wine gives no handle of a Linux process to wait on: the table tells when it is done.
  if (process.hProcess) ::CloseHandle(process.hProcess);
  if (process.hThread) ::CloseHandle(process.hThread);
  for (DWORD waited = 0; waited <= kFlushWaitMs; waited += kPollMs) {
    if (!HasResolvedNeighbours(interfaceIndex)) return NO_ERROR;
    ::Sleep(kPollMs);
  }
  return ERROR_TIMEOUT;
}
