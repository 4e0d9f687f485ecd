#include "monitor/connection_tables.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <iphlpapi.h>
#include <psapi.h>

#include <cstring>
#include <vector>

#include "platform/linux_socket_owners.h"

namespace {

// Asks for the table, growing the buffer while the system says it is too small.
template <typename Call>
bool ReadTable(std::vector<unsigned char>* buffer, Call call) {
  DWORD size = 0;
  DWORD result = call(nullptr, &size);
  for (int tries = 0; tries < 8; ++tries) {
    if (result != ERROR_INSUFFICIENT_BUFFER && result != NO_ERROR) return false;
    buffer->resize(size ? size : 1);
    result = call(buffer->data(), &size);
    if (result == NO_ERROR) return true;
  }
  return false;
}

uint16_t Port(DWORD networkOrder) { return ::ntohs(static_cast<u_short>(networkOrder)); }

bool Loopback(DWORD address) {
  const auto* b = reinterpret_cast<const uint8_t*>(&address);
  return b[0] == 127 && b[1] == 0 && b[2] == 0 && b[3] == 1;
}

}  // namespace

void RefreshConnectionTables(ConnTable* table) {
  table->Clear();
  std::vector<unsigned char> buffer;
  static const uint8_t kNone[16] = {};
  // Wine gives process 0 for sockets it cannot tie to one of its processes.
  LinuxSocketOwners owners;
  auto owner = [&owners](DWORD pid, SocketTable kind, const uint8_t* local, uint16_t localPort, const uint8_t* remote,
                         uint16_t remotePort) -> uint32_t {
    return pid ? pid : owners.OwnerOf(kind, local, localPort, remote, remotePort);
  };
  if (ReadTable(&buffer, [](void* b, DWORD* s) {
        return ::GetExtendedTcpTable(b, s, TRUE, AF_INET, TCP_TABLE_OWNER_MODULE_ALL, 0);
      })) {
    auto* rows = reinterpret_cast<MIB_TCPTABLE_OWNER_MODULE*>(buffer.data());
    for (DWORD i = 0; i < rows->dwNumEntries; ++i) {
      const MIB_TCPROW_OWNER_MODULE& r = rows->table[i];
      if (Loopback(r.dwLocalAddr)) continue;
      const auto* local = reinterpret_cast<const uint8_t*>(&r.dwLocalAddr);
      const auto* remote = reinterpret_cast<const uint8_t*>(&r.dwRemoteAddr);
      table->AddIpv4Connection(local, Port(r.dwLocalPort), remote, Port(r.dwRemotePort),
                               owner(r.dwOwningPid, SocketTable::kTcp4, local, Port(r.dwLocalPort), remote,
                                     Port(r.dwRemotePort)),
                               true);
    }
  }
  if (ReadTable(&buffer, [](void* b, DWORD* s) {
        return ::GetExtendedUdpTable(b, s, TRUE, AF_INET, UDP_TABLE_OWNER_MODULE, 0);
      })) {
    auto* rows = reinterpret_cast<MIB_UDPTABLE_OWNER_MODULE*>(buffer.data());
    for (DWORD i = 0; i < rows->dwNumEntries; ++i) {
      const MIB_UDPROW_OWNER_MODULE& r = rows->table[i];
      if (Loopback(r.dwLocalAddr)) continue;
      const auto* local = reinterpret_cast<const uint8_t*>(&r.dwLocalAddr);
      table->AddIpv4Connection(local, Port(r.dwLocalPort), kNone, 0,
                               owner(r.dwOwningPid, SocketTable::kUdp4, local, Port(r.dwLocalPort), kNone, 0), false);
    }
  }
  if (ReadTable(&buffer, [](void* b, DWORD* s) {
        return ::GetExtendedTcpTable(b, s, TRUE, AF_INET6, TCP_TABLE_OWNER_MODULE_ALL, 0);
      })) {
    auto* rows = reinterpret_cast<MIB_TCP6TABLE_OWNER_MODULE*>(buffer.data());
    for (DWORD i = 0; i < rows->dwNumEntries; ++i) {
      const MIB_TCP6ROW_OWNER_MODULE& r = rows->table[i];
      table->AddIpv6Connection(r.ucLocalAddr, Port(r.dwLocalPort), r.ucRemoteAddr, Port(r.dwRemotePort),
                               owner(r.dwOwningPid, SocketTable::kTcp6, r.ucLocalAddr, Port(r.dwLocalPort),
                                     r.ucRemoteAddr, Port(r.dwRemotePort)),
                               true);
    }
  }
  if (ReadTable(&buffer, [](void* b, DWORD* s) {
        return ::GetExtendedUdpTable(b, s, TRUE, AF_INET6, UDP_TABLE_OWNER_MODULE, 0);
      })) {
    auto* rows = reinterpret_cast<MIB_UDP6TABLE_OWNER_MODULE*>(buffer.data());
    for (DWORD i = 0; i < rows->dwNumEntries; ++i) {
      const MIB_UDP6ROW_OWNER_MODULE& r = rows->table[i];
      table->AddIpv6Connection(r.ucLocalAddr, Port(r.dwLocalPort), kNone, 0,
                               owner(r.dwOwningPid, SocketTable::kUdp6, r.ucLocalAddr, Port(r.dwLocalPort), kNone, 0),
                               false);
    }
  }
}

std::string GetProcessName(uint32_t pid) {
  std::string name = "unknown ";
  HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) {
    // A Linux process the socket fill-in named as an owner.
    LinuxOwnerName(pid, &name);
    return name;
  }
  HMODULE first = nullptr;
  DWORD needed = 0;
  wchar_t base[260];
  if (::EnumProcessModules(process, &first, sizeof first, &needed) &&
      ::GetModuleBaseNameW(process, first, base, 260)) {
    const wchar_t* start = base;
    while (*start == L' ' || *start == L'\t') ++start;
    int bytes = ::WideCharToMultiByte(CP_UTF8, 0, start, -1, nullptr, 0, nullptr, nullptr);
    if (bytes > 1) {
      name.assign(static_cast<size_t>(bytes - 1), '\0');
      ::WideCharToMultiByte(CP_UTF8, 0, start, -1, &name[0], bytes, nullptr, nullptr);
    }
  }
  ::CloseHandle(process);
  return name;
}
