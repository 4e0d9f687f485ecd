// The kernel's socket tables as Linux prints them (/proc/net/tcp, tcp6, udp, udp6) and the inode
// a /proc/<pid>/fdinfo file names: what ties a socket the IP Helper lists without an owner to the
// Linux process that holds it. Text in, fields out; no Windows header.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ProcNetSocket {
  uint8_t local[16] = {}, remote[16] = {};  // wire order; IPv4 in the first four bytes
  uint16_t localPort = 0, remotePort = 0;
  uint64_t inode = 0;
};

// The rows of one table (the heading line and malformed lines are left out). ipv6 says whether
// the addresses are 32 hex digits (tcp6, udp6) or 8 (tcp, udp).
std::vector<ProcNetSocket> ParseProcNetSockets(const std::string& text, bool ipv6);
struct FdInfo {
  uint64_t inode = 0;  // 0 when the file has none (kernels before it was added)
  uint64_t mountId = 0;
};
// The "ino:" and "mnt_id:" values of an fdinfo file.
FdInfo ParseFdinfo(const std::string& text);
// The first line of /proc/<pid>/comm without its line end.
std::string ParseCommName(const std::string& text);
