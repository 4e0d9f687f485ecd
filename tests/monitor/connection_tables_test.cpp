// The Connections engine against the system's own tables: a UDP socket of this process that has
// sent shows under this process with its port, and the process is named after its program.
#include "monitor/connection_tables.h"

#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>

namespace {

TEST(ConnectionTables, ListThisProcesssUdpSocketUnderItsName) {
  WSADATA wsa;
  ASSERT_EQ(::WSAStartup(MAKEWORD(2, 2), &wsa), 0);
  SOCKET s = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  ASSERT_NE(s, INVALID_SOCKET);
  sockaddr_in at = {};
  at.sin_family = AF_INET;
  ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
  int size = sizeof at;
  ASSERT_EQ(::getsockname(s, reinterpret_cast<sockaddr*>(&at), &size), 0);
  uint16_t port = ::ntohs(at.sin_port);
  // Wine names the owner of a socket only once it has sent.
  sockaddr_in to = at;
  to.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  ::sendto(s, "x", 1, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);

  ConnTable table;
  RefreshConnectionTables(&table);
  const ConnGroup* mine = table.Find(::GetCurrentProcessId());
  ASSERT_NE(mine, nullptr);
  bool found = false;
  for (const Ipv4Conn& c : mine->v4[1]) found |= c.localPort == port && c.remotePort == 0;
  EXPECT_TRUE(found) << "port " << port;
  EXPECT_EQ(GetProcessName(::GetCurrentProcessId()), "monitor_system_tests.exe");
  EXPECT_EQ(GetProcessName(0xFFFFFFF0u), "unknown ");
  ::closesocket(s);
  ::WSACleanup();
}

}  // namespace
