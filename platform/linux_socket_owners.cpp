#include "platform/linux_socket_owners.h"

#include <windows.h>

#include <cstring>
#include <map>
#include <set>

namespace {

struct Owner {
  uint32_t pid;
  std::string name;
};

// Kept between rounds: reading every process's descriptors is the costly part, and a socket keeps
// its inode and its holder for its life.
std::map<uint64_t, Owner> g_owners;
// Sockets a search found no owner for (another pid namespace's, the kernel's): no new search for them.
std::set<uint64_t> g_unheld;
// New sockets appear all the time on a busy computer; searches are spaced.
ULONGLONG g_lastSearch = 0;
constexpr ULONGLONG kSearchSpacingMs = 5000;

std::string ReadSmallFile(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char chunk[4096];
  DWORD got = 0;
  while (text.size() < (4u << 20) && ::ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got)
    text.append(chunk, got);
  ::CloseHandle(file);
  return text;
}

template <typename Each>
void ForEachName(const std::wstring& folder, Each each) {
  WIN32_FIND_DATAW found;
  HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (found.cFileName[0] != L'.') each(found.cFileName);
  } while (::FindNextFileW(find, &found));
  ::FindClose(find);
}

bool AllDigits(const wchar_t* name) {
  if (!*name) return false;
  for (; *name; ++name)
    if (*name < L'0' || *name > L'9') return false;
  return true;
}

bool IsWineServer(const std::string& name) { return name.compare(0, 10, "wineserver") == 0; }

// Reads every process's descriptors for the inodes in wanted. An inode number alone may also be a
// file's on another file system: the mount most of the matches lie on is taken as the sockets'.
// Wine's server holds a copy of every Wine program's socket: the program is the owner, never it.
void SearchProcesses(const std::set<uint64_t>& wanted) {
  struct Match {
    uint64_t inode, mountId;
    uint32_t pid;
  };
  std::vector<Match> matches;
  std::map<uint64_t, size_t> perMount;
  ForEachName(L"Z:\\proc", [&](const wchar_t* pidName) {
    if (!AllDigits(pidName)) return;
    std::wstring fdinfo = std::wstring(L"Z:\\proc\\") + pidName + L"\\fdinfo";
    uint32_t pid = static_cast<uint32_t>(std::wcstoul(pidName, nullptr, 10));
    ForEachName(fdinfo, [&](const wchar_t* fd) {
      FdInfo info = ParseFdinfo(ReadSmallFile(fdinfo + L"\\" + fd));
      if (!info.inode || !wanted.count(info.inode)) return;
      matches.push_back({info.inode, info.mountId, pid});
      ++perMount[info.mountId];
    });
  });
  g_unheld.insert(wanted.begin(), wanted.end());
  if (matches.empty()) return;
  uint64_t socketMount = perMount.begin()->first;
  for (const auto& m : perMount)
    if (m.second > perMount[socketMount]) socketMount = m.first;
  std::map<uint32_t, std::string> names;
  for (const Match& m : matches) {
    if (m.mountId != socketMount || g_owners.count(m.inode)) continue;
    auto name = names.find(m.pid);
    if (name == names.end()) {
      std::wstring comm = L"Z:\\proc\\" + std::to_wstring(m.pid) + L"\\comm";
      name = names.emplace(m.pid, ParseCommName(ReadSmallFile(comm))).first;
    }
    if (IsWineServer(name->second)) continue;
    g_owners[m.inode] = {m.pid, name->second};
    g_unheld.erase(m.inode);
  }
}

const wchar_t* TablePath(SocketTable table) {
  switch (table) {
    case SocketTable::kTcp4: return L"Z:\\proc\\net\\tcp";
    case SocketTable::kUdp4: return L"Z:\\proc\\net\\udp";
    case SocketTable::kTcp6: return L"Z:\\proc\\net\\tcp6";
    case SocketTable::kUdp6: return L"Z:\\proc\\net\\udp6";
  }
  return L"";
}

bool IsIpv6(SocketTable table) { return table == SocketTable::kTcp6 || table == SocketTable::kUdp6; }

}  // namespace

uint32_t LinuxSocketOwners::OwnerOf(SocketTable table, const uint8_t* local, uint16_t localPort,
                                    const uint8_t* remote, uint16_t remotePort) {
  const int t = static_cast<int>(table);
  if (!loaded_[t]) {
    loaded_[t] = true;
    rows_[t] = ParseProcNetSockets(ReadSmallFile(TablePath(table)), IsIpv6(table));
  }
  const size_t bytes = IsIpv6(table) ? 16 : 4;
  const ProcNetSocket* socket = nullptr;
  for (const ProcNetSocket& row : rows_[t]) {
    if (row.localPort == localPort && row.remotePort == remotePort && !std::memcmp(row.local, local, bytes) &&
        !std::memcmp(row.remote, remote, bytes)) {
      socket = &row;
      break;
    }
  }
  if (!socket || !socket->inode) return 0;
  auto known = g_owners.find(socket->inode);
  if (known != g_owners.end()) return known->second.pid;
  if (g_unheld.count(socket->inode)) return 0;
  ULONGLONG now = ::GetTickCount64();
  if (searched_ || (g_lastSearch && now - g_lastSearch < kSearchSpacingMs)) return 0;
  searched_ = true;
  g_lastSearch = now;
  // Every table's sockets are looked for at once, so one search answers the whole round.
  std::set<uint64_t> wanted;
  for (int other = 0; other < 4; ++other) {
    if (!loaded_[other]) {
      loaded_[other] = true;
      rows_[other] = ParseProcNetSockets(ReadSmallFile(TablePath(static_cast<SocketTable>(other))), other >= 2);
    }
    for (const ProcNetSocket& row : rows_[other])
      if (row.inode) wanted.insert(row.inode);
  }
  // Closed sockets are forgotten; those still open need no new search.
  for (auto it = g_owners.begin(); it != g_owners.end();) {
    if (wanted.erase(it->first)) ++it;
    else it = g_owners.erase(it);
  }
  for (auto it = g_unheld.begin(); it != g_unheld.end();) {
    if (wanted.erase(*it)) ++it;
    else it = g_unheld.erase(it);
  }
  SearchProcesses(wanted);
  known = g_owners.find(socket->inode);
  return known != g_owners.end() ? known->second.pid : 0;
}

bool LinuxOwnerName(uint32_t pid, std::string* name) {
  for (const auto& owner : g_owners) {
    if (owner.second.pid != pid) continue;
    *name = owner.second.name;
    return true;
  }
  return false;
}
