// Owners of the sockets Wine's IP Helper lists with process 0, found from the kernel's tables
// through "Z:\proc": the socket's inode from /proc/net/<table>, the process whose fdinfo names that
// inode, its name from comm. That names Linux programs; a Wine socket that has not sent is held by
// Wine's server alone and stays without owner. On Windows there is no "Z:\proc" and nothing is
// found. Used from one thread (the refresh tick).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/proc_net_sockets.h"

enum class SocketTable { kTcp4 = 0, kUdp4 = 1, kTcp6 = 2, kUdp6 = 3 };

// One refresh's questions: each table is read at its first question, the processes at most once
// per round and only for a socket whose owner is not known from an earlier round.
class LinuxSocketOwners {
 public:
  // The Linux process id holding the socket with these ends (wire-order addresses, IPv4 in four
  // bytes), or 0 when none is found.
  uint32_t OwnerOf(SocketTable table, const uint8_t* local, uint16_t localPort, const uint8_t* remote,
                   uint16_t remotePort);

 private:
  bool loaded_[4] = {};
  std::vector<ProcNetSocket> rows_[4];
  bool searched_ = false;
};

// The name of a process LinuxSocketOwners has named an owner, or false.
bool LinuxOwnerName(uint32_t pid, std::string* name);
