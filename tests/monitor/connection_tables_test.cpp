// The Connections engine against the system's own tables: a UDP socket of this process that has
// sent shows under this process with its port, and the process is named after its program; the
// sockets of a Linux program (which Wine gives no owner for) show under that program's process.
#include "monitor/connection_tables.h"

#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// A Linux program holding a TCP listener and a UDP socket on every address, named by its comm.
const char kHolderScript[] = R"(import os, shutil, socket, sys, time
folder = sys.argv[1]
with open('/proc/self/comm', 'w') as comm:
    comm.write('corvane-holder')
tcp = socket.socket()
tcp.bind(('0.0.0.0', 0))
tcp.listen()
udp = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
udp.bind(('0.0.0.0', 0))
with open(folder + '/ready.tmp', 'w') as ready:
    ready.write('%d %d %d' % (tcp.getsockname()[1], udp.getsockname()[1], os.getpid()))
os.rename(folder + '/ready.tmp', folder + '/ready')
end = time.time() + 60
while time.time() < end and not os.path.exists(folder + '/stop'):
    time.sleep(0.1)
shutil.rmtree(folder, ignore_errors=True)
)";

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

bool WriteFileText(const std::wstring& path, const std::string& text) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  bool ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) && wrote == text.size();
  ::CloseHandle(file);
  return ok;
}

std::string ReadFileText(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  char buffer[128];
  DWORD got = 0;
  ::ReadFile(file, buffer, sizeof buffer - 1, &got, nullptr);
  ::CloseHandle(file);
  return std::string(buffer, got);
}

// Tells the Linux program to end, however the test ends (it holds the test's output open).
struct StopFile {
  std::wstring path;
  ~StopFile() { WriteFileText(path, ""); }
};

// A UDP socket of this program on every address and a port the system picks.
struct UdpSocket {
  SOCKET socket = INVALID_SOCKET;
  sockaddr_in at = {};
  uint16_t port = 0;
  bool Open() {
    WSADATA wsa;
    if (::WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return false;
    socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    at.sin_family = AF_INET;
    int size = sizeof at;
    if (socket == INVALID_SOCKET || ::bind(socket, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 ||
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&at), &size) != 0)
      return false;
    port = ::ntohs(at.sin_port);
    return true;
  }
  ~UdpSocket() {
    if (socket != INVALID_SOCKET) ::closesocket(socket);
    ::WSACleanup();
  }
};

bool HasPort(const std::vector<Ipv4Conn>& rows, unsigned port) {
  for (const Ipv4Conn& c : rows)
    if (c.localPort == port) return true;
  return false;
}

TEST(ConnectionTables, ListThisProcesssUdpSocketUnderItsName) {
  UdpSocket s;
  ASSERT_TRUE(s.Open());
  const uint16_t port = s.port;
  sockaddr_in at = s.at;
  // Wine names the owner of a socket only once it has sent.
  sockaddr_in to = at;
  to.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  ::sendto(s.socket, "x", 1, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);

  ConnTable table;
  RefreshConnectionTables(&table);
  const ConnGroup* mine = table.Find(::GetCurrentProcessId());
  ASSERT_NE(mine, nullptr);
  bool found = false;
  for (const Ipv4Conn& c : mine->v4[1]) found |= c.localPort == port && c.remotePort == 0;
  EXPECT_TRUE(found) << "port " << port;
  EXPECT_EQ(GetProcessName(::GetCurrentProcessId()), "monitor_system_tests.exe");
  EXPECT_EQ(GetProcessName(0xFFFFFFF0u), "unknown ");
}

// Before it sends, Wine gives no owner for this program's socket, and on the Linux side only Wine's
// server holds it: the socket is not put under the server.
TEST(ConnectionTables, PutNoSocketUnderWinesServer) {
  UdpSocket s;
  ASSERT_TRUE(s.Open());
  const unsigned port = s.port;

  ConnTable table;
  RefreshConnectionTables(&table);
  const ConnGroup* holder = nullptr;
  for (size_t i = 0; i < table.GroupCount(); ++i)
    if (HasPort(table.Group(i).v4[1], port)) holder = &table.Group(i);
  ASSERT_NE(holder, nullptr) << "udp port " << port;
  EXPECT_EQ(holder->pid, 0u) << GetProcessName(holder->pid);
}

TEST(ConnectionTables, ListALinuxProgramsSocketsUnderItsProcess) {
  const std::string folder = "/tmp/corvane-holder-" + std::to_string(::GetCurrentProcessId()) + "-" +
                             std::to_string(::GetTickCount64());
  const std::wstring zFolder = L"Z:" + Wide(folder);
  ASSERT_TRUE(::CreateDirectoryW(zFolder.c_str(), nullptr));
  ASSERT_TRUE(WriteFileText(zFolder + L"\\holder.py", kHolderScript));
  StopFile stop{zFolder + L"\\stop"};
  std::wstring command = L"Z:\\usr\\bin\\python3 " + Wide(folder) + L"/holder.py " + Wide(folder);
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION started = {};
  ASSERT_TRUE(::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
  if (started.hProcess) ::CloseHandle(started.hProcess);
  if (started.hThread) ::CloseHandle(started.hThread);
  std::string ready;
  for (int i = 0; i < 200 && ready.empty(); ++i) {
    ::Sleep(50);
    ready = ReadFileText(zFolder + L"\\ready");
  }
  ASSERT_FALSE(ready.empty()) << "the Linux program did not start";
  unsigned tcpPort = 0, udpPort = 0, linuxPid = 0;
  ASSERT_EQ(std::sscanf(ready.c_str(), "%u %u %u", &tcpPort, &udpPort, &linuxPid), 3) << ready;

  ConnTable table;
  RefreshConnectionTables(&table);
  const ConnGroup* holder = table.Find(linuxPid);
  ASSERT_NE(holder, nullptr) << "no group for Linux process " << linuxPid;
  EXPECT_TRUE(HasPort(holder->v4[0], tcpPort)) << "tcp port " << tcpPort;
  EXPECT_TRUE(HasPort(holder->v4[1], udpPort)) << "udp port " << udpPort;
  EXPECT_EQ(GetProcessName(linuxPid), "corvane-holder");
  // A later refresh names it from what the first one found.
  RefreshConnectionTables(&table);
  ASSERT_NE(table.Find(linuxPid), nullptr);
  EXPECT_TRUE(HasPort(table.Find(linuxPid)->v4[0], tcpPort));
}

}  // namespace
