#include "platform/proc_net_sockets.h"

#include <sstream>

namespace {

bool HexWord(const std::string& text, size_t from, size_t digits, uint32_t* value) {
  if (from + digits > text.size()) return false;
  uint32_t v = 0;
  for (size_t i = from; i < from + digits; ++i) {
    char c = text[i];
    int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (d < 0) return false;
    v = v << 4 | static_cast<uint32_t>(d);
  }
  *value = v;
  return true;
}

// "0100007F:0016": the kernel prints each 32-bit word of the address as the number its bytes make
// on a little-endian machine, so the word's low byte is the first on the wire.
bool ParseEndpoint(const std::string& text, bool ipv6, uint8_t address[16], uint16_t* port) {
  const size_t words = ipv6 ? 4 : 1;
  if (text.size() != words * 8 + 5 || text[words * 8] != ':') return false;
  for (size_t w = 0; w < words; ++w) {
    uint32_t v;
    if (!HexWord(text, w * 8, 8, &v)) return false;
    for (int b = 0; b < 4; ++b) address[w * 4 + b] = static_cast<uint8_t>(v >> (8 * b));
  }
  uint32_t p;
  if (!HexWord(text, words * 8 + 1, 4, &p)) return false;
  *port = static_cast<uint16_t>(p);
  return true;
}

bool ParseDecimal(const std::string& text, uint64_t* value) {
  if (text.empty() || text.size() > 19) return false;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  *value = v;
  return true;
}

}  // namespace

std::vector<ProcNetSocket> ParseProcNetSockets(const std::string& text, bool ipv6) {
  std::vector<ProcNetSocket> rows;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string slot, local, remote, state, queues, timer, retransmits, uid, timeout, inode;
    if (!(fields >> slot >> local >> remote >> state >> queues >> timer >> retransmits >> uid >> timeout >> inode))
      continue;
    if (slot.empty() || slot.back() != ':') continue;
    ProcNetSocket row;
    if (!ParseEndpoint(local, ipv6, row.local, &row.localPort) ||
        !ParseEndpoint(remote, ipv6, row.remote, &row.remotePort) || !ParseDecimal(inode, &row.inode))
      continue;
    rows.push_back(row);
  }
  return rows;
}

FdInfo ParseFdinfo(const std::string& text) {
  FdInfo info;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string key = line.substr(0, colon);
    uint64_t* field = key == "ino" ? &info.inode : key == "mnt_id" ? &info.mountId : nullptr;
    if (!field) continue;
    size_t start = line.find_first_not_of(" \t", colon + 1);
    if (start == std::string::npos || !ParseDecimal(line.substr(start), field)) *field = 0;
  }
  return info;
}

std::string ParseCommName(const std::string& text) { return text.substr(0, text.find('\n')); }
