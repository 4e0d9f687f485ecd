// The Connections dialog's table of processes: the system's connections and endpoints per owning
// process, the driver's flow bytes added to them, and the flows that match no connection under
// "[Not In List]". The rows it gives are kept as fields, so a comma in a process or host name
// moves no column. One preallocated table, emptied and refilled on every tick.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum ConnProtocol { kTcp4 = 0, kUdp4 = 1, kTcp6 = 2, kUdp6 = 3 };
constexpr int kAllFilter = 255;
constexpr uint32_t kNotInListPid = 65535;
constexpr size_t kProcessSlots = 4096;

struct Ipv4Conn {
  uint8_t local[4], remote[4];  // wire order
  uint16_t localPort, remotePort;
  uint64_t sent, received;
};

struct Ipv6Conn {
  uint8_t local[16], remote[16];
  uint16_t localPort, remotePort;
  uint64_t sent, received;
};

struct ConnGroup {
  uint32_t pid = 0;
  uint32_t connections = 0;
  uint64_t sent = 0, received = 0;
  uint64_t protocolSent[4] = {}, protocolReceived[4] = {};
  std::vector<Ipv4Conn> v4[2];  // TCP, UDP
  std::vector<Ipv6Conn> v6[2];
  void Empty();
};

// The filters start from all adapters and all protocols: the tick fills the table before the
// dialog ever opens.
struct ConnFilter {
  int adapter = kAllFilter;   // or an adapter table index
  int protocol = kAllFilter;  // or a ConnProtocol
  std::string adapterIpv4;    // the selected adapter's texts
  std::string adapterIpv6;
};

std::string Ipv4Text(const uint8_t wire[4]);
std::string Ipv6Text(const uint8_t wire[16]);  // eight four-digit lower-case groups
// The flow entry's number form (most significant byte first octet) in wire order.
void Ipv4NumberToWire(uint32_t number, uint8_t wire[4]);

class ConnTable {
 public:
  ConnTable();
  void SetFilter(const ConnFilter& filter) { filter_ = filter; }
  const ConnFilter& Filter() const { return filter_; }

  void Clear();
  void AddIpv4Connection(const uint8_t local[4], uint16_t localPort, const uint8_t remote[4], uint16_t remotePort,
                         uint32_t pid, bool isTcp);
  void AddIpv6Connection(const uint8_t local[16], uint16_t localPort, const uint8_t remote[16], uint16_t remotePort,
                         uint32_t pid, bool isTcp);
  // The driver's bytes of one flow; addresses in the entry's forms.
  void AddIpv4FlowBytes(uint32_t local, uint32_t remote, uint16_t localPort, uint16_t remotePort, uint64_t sent,
                        uint64_t received, bool isTcp);
  void AddIpv6FlowBytes(const uint8_t local[16], const uint8_t remote[16], uint16_t localPort, uint16_t remotePort,
                        uint64_t sent, uint64_t received, bool isTcp);

  size_t GroupCount() const { return used_; }
  const ConnGroup& Group(size_t i) const { return groups_[i]; }
  bool HasUnmatched() const { return unmatchedPresent_; }
  const ConnGroup& Unmatched() const { return unmatched_; }
  // The group of pid (kNotInListPid: the unmatched one); null when there is none.
  const ConnGroup* Find(uint32_t pid) const;

 private:
  ConnGroup* Slot(uint32_t pid);
  bool PassesProtocol(int protocol) const;

  ConnFilter filter_;
  std::vector<ConnGroup> groups_;
  size_t used_ = 0;
  ConnGroup unmatched_;
  bool unmatchedPresent_ = false;
};

// One application row: name, upload, download, connections, process id.
using RowFields = std::vector<std::string>;

std::vector<RowFields> BuildAppRows(const ConnTable& table, int unit,
                                    const std::function<std::string(uint32_t pid)>& processName);

// What the connection rows need of an adapter of the dialog's table.
struct ConnAdapter {
  std::string ipv4, ipv6;
  bool isPrivate = false, isPppoe = false;
};

// One connection row: protocol, local side, remote side, upload, download. hostName gives a
// remote IPv4 address's name or "" (called only when looking up names).
std::vector<RowFields> BuildConnectionRows(const ConnTable& table, uint32_t pid, int unit,
                                           const std::vector<ConnAdapter>& adapters,
                                           const std::function<std::string(const uint8_t wire[4])>& hostName);

// The sort callbacks' comparisons; a negative code sorts descending.
int CompareAppRows(const RowFields& a, const RowFields& b, int code);
int CompareConnectionRows(const RowFields& a, const RowFields& b, int code);
