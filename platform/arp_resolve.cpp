// The kernel resolves an address when something is sent to it; a complete neighbour entry (flag
// 0x2) with its MAC is the ARP reply SendARP would have returned.
#include "platform/arp_resolve.h"

#include <winsock2.h>
#include <iphlpapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {
constexpr wchar_t kLinuxArpTable[] = L"Z:\\proc\\net\\arp";
constexpr DWORD kAnswerWaitMs = 1000;
constexpr DWORD kPollMs = 50;
constexpr u_short kDiscardPort = 9;

std::string ReadArpTable() {
  HANDLE file = ::CreateFileW(kLinuxArpTable, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char chunk[4096];
  DWORD got = 0;
  while (::ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
  ::CloseHandle(file);
  return text;
}

void ProvokeResolution(DWORD destination, DWORD source) {
  SOCKET probe = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (probe == INVALID_SOCKET) return;
  sockaddr_in from = {};
  from.sin_family = AF_INET;
  from.sin_addr.s_addr = source;
  ::bind(probe, reinterpret_cast<sockaddr*>(&from), sizeof from);
  sockaddr_in to = {};
  to.sin_family = AF_INET;
  to.sin_port = ::htons(kDiscardPort);
  to.sin_addr.s_addr = destination;
  const char nothing = 0;
  ::sendto(probe, &nothing, 0, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  ::closesocket(probe);
}

std::string DottedText(DWORD address) {
  const auto* octet = reinterpret_cast<const uint8_t*>(&address);
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", octet[0], octet[1], octet[2], octet[3]);
  return text;
}
}  // namespace

bool FindArpTableMac(const std::string& table, const std::string& address, uint8_t mac[6]) {
  std::istringstream lines(table);
  std::string line;
  std::getline(lines, line);  // the column headings
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string ip, type, flags, hw;
    if (!(fields >> ip >> type >> flags >> hw) || ip != address) continue;
    if ((std::strtoul(flags.c_str(), nullptr, 16) & 0x2) == 0) continue;
    unsigned bytes[6];
    if (std::sscanf(hw.c_str(), "%2x:%2x:%2x:%2x:%2x:%2x", &bytes[0], &bytes[1], &bytes[2], &bytes[3], &bytes[4],
                    &bytes[5]) != 6) {
      continue;
    }
    unsigned any = 0;
    for (int i = 0; i < 6; ++i) any |= bytes[i];
    if (!any) continue;
    for (int i = 0; i < 6; ++i) mac[i] = static_cast<uint8_t>(bytes[i]);
    return true;
  }
  return false;
}

DWORD ResolveArp(DWORD destination, DWORD source, uint8_t mac[6], ULONG* macBytes) {
  ULONG buffer[2] = {};
  ULONG length = 6;
  DWORD result = ::SendARP(destination, source, buffer, &length);
  if (result != ERROR_NOT_SUPPORTED) {
    if (result == NO_ERROR) std::memcpy(mac, buffer, length < 6 ? length : 6);
    *macBytes = length;
    return result;
  }
  const std::string address = DottedText(destination);
  ProvokeResolution(destination, source);
  for (DWORD waited = 0; waited <= kAnswerWaitMs; waited += kPollMs) {
    if (FindArpTableMac(ReadArpTable(), address, mac)) {
      *macBytes = 6;
      return NO_ERROR;
    }
    ::Sleep(kPollMs);
  }
  *macBytes = 0;
  return ERROR_BAD_NET_NAME;
}
