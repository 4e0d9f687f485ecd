#include "monitor/reverse_lookup.h"

#include <windows.h>

#include "monitor/dns_ptr.h"

bool DnsQueryPtrRecord(uint8_t* buffer, std::string* name, const char* reversedAddress, SOCKET s, uint32_t server,
                       DWORD waitMs) {
  name->clear();
  uint16_t id = static_cast<uint16_t>(::GetCurrentProcessId());
  size_t length = BuildPtrQuery(id, reversedAddress, buffer, kDnsBufferSize);
  sockaddr_in to = {};
  to.sin_family = AF_INET;
  to.sin_port = ::htons(kDnsPort);
  to.sin_addr.s_addr = ::htonl(server);
  bool answered = false;
  if (length && ::sendto(s, reinterpret_cast<const char*>(buffer), static_cast<int>(length), 0,
                         reinterpret_cast<const sockaddr*>(&to), sizeof to) != SOCKET_ERROR) {
    DWORD started = ::GetTickCount();
    for (;;) {
      DWORD spent = ::GetTickCount() - started;
      if (spent >= waitMs) break;
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(s, &readable);
      timeval wait = {static_cast<long>((waitMs - spent) / 1000), static_cast<long>((waitMs - spent) % 1000 * 1000)};
      if (::select(0, &readable, nullptr, nullptr, &wait) <= 0) break;
      sockaddr_in from = {};
      int fromSize = sizeof from;
      int got = ::recvfrom(s, reinterpret_cast<char*>(buffer), static_cast<int>(kDnsBufferSize), 0,
                           reinterpret_cast<sockaddr*>(&from), &fromSize);
      if (got == SOCKET_ERROR) break;
      if (from.sin_addr.s_addr != to.sin_addr.s_addr || from.sin_port != to.sin_port) continue;
      PtrReply reply = ReadPtrReply(buffer, static_cast<size_t>(got), id, name);
      if (reply == PtrReply::kIgnored) continue;
      answered = true;
      break;
    }
  }
  ::closesocket(s);
  return answered;
}
