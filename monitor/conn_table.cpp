#include "monitor/conn_table.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "monitor/rate_text.h"

namespace {
const char* const kProtocolText[4] = {"TcpIpv4", "UdpIpv4", "TcpIpv6", "UdpIpv6"};
const uint8_t kZero16[16] = {};

// UDP endpoints have no remote side: a UDP flow belongs to the socket bound to its local port,
// on its local address or on any address.
bool SameIpv4(const Ipv4Conn& c, const uint8_t local[4], const uint8_t remote[4], uint16_t localPort,
              uint16_t remotePort, bool isTcp) {
  if (c.localPort != localPort) return false;
  if (!isTcp) return std::memcmp(c.local, local, 4) == 0 || std::memcmp(c.local, kZero16, 4) == 0;
  return c.remotePort == remotePort && std::memcmp(c.local, local, 4) == 0 && std::memcmp(c.remote, remote, 4) == 0;
}
bool SameIpv6(const Ipv6Conn& c, const uint8_t local[16], const uint8_t remote[16], uint16_t localPort,
              uint16_t remotePort, bool isTcp) {
  if (c.localPort != localPort) return false;
  if (!isTcp) return std::memcmp(c.local, local, 16) == 0 || std::memcmp(c.local, kZero16, 16) == 0;
  return c.remotePort == remotePort && std::memcmp(c.local, local, 16) == 0 &&
         std::memcmp(c.remote, remote, 16) == 0;
}
bool SameRecord4(const Ipv4Conn& a, const Ipv4Conn& b) {
  return a.localPort == b.localPort && a.remotePort == b.remotePort && !std::memcmp(a.local, b.local, 4) &&
         !std::memcmp(a.remote, b.remote, 4);
}
bool SameRecord6(const Ipv6Conn& a, const Ipv6Conn& b) {
  return a.localPort == b.localPort && a.remotePort == b.remotePort && !std::memcmp(a.local, b.local, 16) &&
         !std::memcmp(a.remote, b.remote, 16);
}

void Credit(ConnGroup& group, int protocol, uint64_t sent, uint64_t received) {
  group.sent += sent;
  group.received += received;
  group.protocolSent[protocol] += sent;
  group.protocolReceived[protocol] += received;
}

template <typename Conn, typename Same>
void AddToUnmatched(bool& present, ConnGroup& unmatched, std::vector<Conn>& list, const Conn& flow, int protocol,
                    Same same) {
  if (!present) {
    unmatched.Empty();
    present = true;
  }
  Credit(unmatched, protocol, flow.sent, flow.received);
  for (Conn& record : list) {
    if (!same(record, flow)) continue;
    record.sent += flow.sent;
    record.received += flow.received;
    return;
  }
  ++unmatched.connections;
  list.push_back(flow);
}
}  // namespace

void ConnGroup::Empty() {
  pid = 0;
  connections = 0;
  sent = received = 0;
  for (int p = 0; p < 4; ++p) protocolSent[p] = protocolReceived[p] = 0;
  for (auto& list : v4) list.clear();
  for (auto& list : v6) list.clear();
}

std::string Ipv4Text(const uint8_t w[4]) {
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", w[0], w[1], w[2], w[3]);
  return text;
}

std::string Ipv6Text(const uint8_t w[16]) {
  char text[40];
  std::snprintf(text, sizeof text, "%04x:%04x:%04x:%04x:%04x:%04x:%04x:%04x", w[0] << 8 | w[1], w[2] << 8 | w[3],
                w[4] << 8 | w[5], w[6] << 8 | w[7], w[8] << 8 | w[9], w[10] << 8 | w[11], w[12] << 8 | w[13],
                w[14] << 8 | w[15]);
  return text;
}

void Ipv4NumberToWire(uint32_t number, uint8_t wire[4]) {
  for (int i = 0; i < 4; ++i) wire[i] = static_cast<uint8_t>(number >> (24 - 8 * i));
}

ConnTable::ConnTable() : groups_(kProcessSlots) {}

void ConnTable::Clear() {
  for (size_t i = 0; i < used_; ++i) groups_[i].Empty();
  used_ = 0;
  unmatched_.Empty();
  unmatchedPresent_ = false;
}

bool ConnTable::PassesProtocol(int protocol) const {
  return filter_.protocol == kAllFilter || filter_.protocol == protocol;
}

ConnGroup* ConnTable::Slot(uint32_t pid) {
  for (size_t i = 0; i < used_; ++i) {
    if (groups_[i].pid == pid) return &groups_[i];
  }
  if (used_ >= groups_.size()) return nullptr;
  ConnGroup* group = &groups_[used_++];
  group->Empty();
  group->pid = pid;
  return group;
}

const ConnGroup* ConnTable::Find(uint32_t pid) const {
  if (pid == kNotInListPid) return unmatchedPresent_ ? &unmatched_ : nullptr;
  for (size_t i = 0; i < used_; ++i) {
    if (groups_[i].pid == pid) return &groups_[i];
  }
  return nullptr;
}

void ConnTable::AddIpv4Connection(const uint8_t local[4], uint16_t localPort, const uint8_t remote[4],
                                  uint16_t remotePort, uint32_t pid, bool isTcp) {
  if (!PassesProtocol(isTcp ? kTcp4 : kUdp4)) return;
  if (filter_.adapter != kAllFilter && Ipv4Text(local) != filter_.adapterIpv4) return;
  ConnGroup* group = Slot(pid);
  if (!group) return;
  Ipv4Conn record = {};
  std::memcpy(record.local, local, 4);
  std::memcpy(record.remote, remote, 4);
  record.localPort = localPort;
  record.remotePort = remotePort;
  auto& list = group->v4[isTcp ? 0 : 1];
  for (const Ipv4Conn& known : list) {
    if (SameRecord4(known, record)) return;
  }
  ++group->connections;
  list.push_back(record);
}

void ConnTable::AddIpv6Connection(const uint8_t local[16], uint16_t localPort, const uint8_t remote[16],
                                  uint16_t remotePort, uint32_t pid, bool isTcp) {
  if (!PassesProtocol(isTcp ? kTcp6 : kUdp6)) return;
  if (filter_.adapter != kAllFilter && Ipv6Text(local) != filter_.adapterIpv6) return;
  ConnGroup* group = Slot(pid);
  if (!group) return;
  Ipv6Conn record = {};
  std::memcpy(record.local, local, 16);
  std::memcpy(record.remote, remote, 16);
  record.localPort = localPort;
  record.remotePort = remotePort;
  auto& list = group->v6[isTcp ? 0 : 1];
  for (const Ipv6Conn& known : list) {
    if (SameRecord6(known, record)) return;
  }
  ++group->connections;
  list.push_back(record);
}

void ConnTable::AddIpv4FlowBytes(uint32_t localNumber, uint32_t remoteNumber, uint16_t localPort,
                                 uint16_t remotePort, uint64_t sent, uint64_t received, bool isTcp) {
  Ipv4Conn flow = {};
  Ipv4NumberToWire(localNumber, flow.local);
  Ipv4NumberToWire(remoteNumber, flow.remote);
  if (filter_.adapter != kAllFilter && Ipv4Text(flow.local) != filter_.adapterIpv4) return;
  flow.localPort = localPort;
  flow.remotePort = remotePort;
  flow.sent = sent;
  flow.received = received;
  int protocol = isTcp ? kTcp4 : kUdp4;
  bool matched = false;
  for (size_t i = 0; i < used_; ++i) {
    for (Ipv4Conn& record : groups_[i].v4[isTcp ? 0 : 1]) {
      if (!SameIpv4(record, flow.local, flow.remote, localPort, remotePort, isTcp)) continue;
      record.sent += sent;
      record.received += received;
      Credit(groups_[i], protocol, sent, received);
      matched = true;
      break;
    }
  }
  if (!matched) AddToUnmatched(unmatchedPresent_, unmatched_, unmatched_.v4[isTcp ? 0 : 1], flow, protocol, SameRecord4);
}

void ConnTable::AddIpv6FlowBytes(const uint8_t local[16], const uint8_t remote[16], uint16_t localPort,
                                 uint16_t remotePort, uint64_t sent, uint64_t received, bool isTcp) {
  if (filter_.adapter != kAllFilter && Ipv6Text(local) != filter_.adapterIpv6) return;
  Ipv6Conn flow = {};
  std::memcpy(flow.local, local, 16);
  std::memcpy(flow.remote, remote, 16);
  flow.localPort = localPort;
  flow.remotePort = remotePort;
  flow.sent = sent;
  flow.received = received;
  int protocol = isTcp ? kTcp6 : kUdp6;
  bool matched = false;
  for (size_t i = 0; i < used_; ++i) {
    for (Ipv6Conn& record : groups_[i].v6[isTcp ? 0 : 1]) {
      if (!SameIpv6(record, local, remote, localPort, remotePort, isTcp)) continue;
      record.sent += sent;
      record.received += received;
      Credit(groups_[i], protocol, sent, received);
      matched = true;
      break;
    }
  }
  if (!matched) AddToUnmatched(unmatchedPresent_, unmatched_, unmatched_.v6[isTcp ? 0 : 1], flow, protocol, SameRecord6);
}

std::vector<RowFields> BuildAppRows(const ConnTable& table, int unit,
                                    const std::function<std::string(uint32_t pid)>& processName) {
  std::vector<RowFields> rows;
  rows.reserve(table.GroupCount() + 1);
  for (size_t i = 0; i < table.GroupCount(); ++i) {
    const ConnGroup& g = table.Group(i);
    rows.push_back({processName(g.pid), FormatTickBytes(g.sent, unit), FormatTickBytes(g.received, unit),
                    std::to_string(g.connections), std::to_string(g.pid)});
  }
  if (table.Filter().protocol == kAllFilter && table.HasUnmatched()) {
    const ConnGroup& u = table.Unmatched();
    rows.push_back({"[Not In List]", FormatTickBytes(u.sent, unit), FormatTickBytes(u.received, unit),
                    std::to_string(u.connections), std::to_string(kNotInListPid)});
  }
  return rows;
}

namespace {
std::string AdapterTag(const std::vector<ConnAdapter>& adapters, const std::string& text, bool six) {
  for (size_t i = 0; i < adapters.size(); ++i) {
    if ((six ? adapters[i].ipv6 : adapters[i].ipv4) != text) continue;
    if (adapters[i].isPrivate) return "(Private)";
    if (adapters[i].isPppoe) return "(PPPoE)";
    return "(" + std::to_string(i + 1) + ")";
  }
  return "";
}
}  // namespace

std::vector<RowFields> BuildConnectionRows(const ConnTable& table, uint32_t pid, int unit,
                                           const std::vector<ConnAdapter>& adapters,
                                           const std::function<std::string(const uint8_t wire[4])>& hostName) {
  std::vector<RowFields> rows;
  const ConnGroup* group = table.Find(pid);
  if (!group) return rows;
  for (int udp = 0; udp < 2; ++udp) {
    for (const Ipv4Conn& c : group->v4[udp]) {
      bool localZero = !std::memcmp(c.local, kZero16, 4), remoteZero = !std::memcmp(c.remote, kZero16, 4);
      std::string local = localZero ? "localhost" : AdapterTag(adapters, Ipv4Text(c.local), false) + Ipv4Text(c.local);
      std::string remote = remoteZero ? "localhost" : Ipv4Text(c.remote);
      if (!remoteZero && hostName) {
        std::string name = hostName(c.remote);
        if (!name.empty()) remote = name;
      }
      rows.push_back({kProtocolText[udp], local + ":" + std::to_string(c.localPort),
                      remote + ":" + std::to_string(c.remotePort), FormatTickBytes(c.sent, unit),
                      FormatTickBytes(c.received, unit)});
    }
  }
  static const uint8_t kLoopback[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  for (int udp = 0; udp < 2; ++udp) {
    for (const Ipv6Conn& c : group->v6[udp]) {
      std::string local = !std::memcmp(c.local, kZero16, 16)      ? "localhost"
                          : !std::memcmp(c.local, kLoopback, 16) ? "loopback"
                                                                 : AdapterTag(adapters, Ipv6Text(c.local), true) + Ipv6Text(c.local);
      std::string remote = !std::memcmp(c.remote, kZero16, 16) ? "localhost" : Ipv6Text(c.remote);
      rows.push_back({kProtocolText[2 + udp], local + "(" + std::to_string(c.localPort) + ")",
                      remote + "(" + std::to_string(c.remotePort) + ")", FormatTickBytes(c.sent, unit),
                      FormatTickBytes(c.received, unit)});
    }
  }
  return rows;
}

namespace {
int Compare(const std::string& a, const std::string& b) { return a < b ? -1 : a > b ? 1 : 0; }
const std::string& Field(const RowFields& row, size_t i) {
  static const std::string kEmpty;
  return i < row.size() ? row[i] : kEmpty;
}
}  // namespace

int CompareAppRows(const RowFields& a, const RowFields& b, int code) {
  int column = std::abs(code);
  int result = 0;
  if (column >= 1 && column <= 3) {
    result = Compare(Field(a, column - 1), Field(b, column - 1));
  } else if (column == 4) {
    long long x = std::atoll(Field(a, 3).c_str()) - std::atoll(Field(b, 3).c_str());
    if (x == 0) return Compare(Field(a, 0), Field(b, 0));
    result = x > 0 ? static_cast<int>(x + 1) : static_cast<int>(x - 1);
  }
  return code < 0 ? -result : result;
}

int CompareConnectionRows(const RowFields& a, const RowFields& b, int code) {
  int column = std::abs(code);
  if (column < 1 || column > 5) return 0;
  int result = Compare(Field(a, column - 1), Field(b, column - 1));
  return code < 0 ? -result : result;
}
