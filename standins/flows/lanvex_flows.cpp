// lanvex_flows: the Linux half of the stand-in driver's control device. lanvex.sys starts it when
// it loads and stops it when it unloads; every control request reaches it as a file in the
// exchange folder, and its reply goes back the same way:
//   request  u32 code, u32 sequence, u32 capacity   (written as request.tmp, renamed to request)
//   reply    u32 sequence, u32 length, the reply    (written as reply.tmp, renamed to reply-SEQUENCE
//            in eight lower-case hex digits; the driver deletes it as it closes it)
// It counts the packets of every TCP and UDP flow on every interface but loopback with a packet
// socket, and reads each interface's running totals from /sys/class/net.
//
// What the client leaves to the driver, as this one does it:
//   - traffic record c0 = packets sent, c1 = bytes sent, c4 = packets received, c5 = bytes
//     received; c2, c3, c6 and c7 are 0. One record of kind 64 per interface with a MAC.
//   - IOCTL_ON_OPEN (the start notice) forgets every flow count, so a freshly opened client sees
//     only what came after it.
//   - flow bytes are whole IP packets (header included); the flag 2 marks an IPv4 TCP flow in
//     which another computer sent a SYN without ACK since the last request.
//   - a packet is counted on the interface that holds its local address, so a macvlan's traffic
//     is not counted again on its parent; the 6 header bytes of a block and the last 4 bytes of an
//     IPv6 entry are 0.
//   lanvex_flows EXCHANGE-FOLDER
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/ethernet.h>
#include <net/if.h>
#include <poll.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "monitor/driver_layout.h"
#include "monitor/driver_reply_writer.h"
#include "peers/byte_order.h"
#include "standins/flows/flow_book.h"

namespace {

using namespace driver_layout;

constexpr uint32_t kStopCode = 0;
constexpr size_t kMaxFlows = 4096;
constexpr size_t kMaxInterfaces = 64;
constexpr uint32_t kIpv4BufferSize = kMaxFlows * kIpv4FlowEntry + 8 * kFlowBlockHeader + 4;
constexpr uint32_t kIpv6BufferSize = kMaxFlows * kIpv6FlowEntry + 8 * kFlowBlockHeader + 4;
constexpr uint32_t kTrafficBufferSize = kMaxInterfaces * kTrafficRecordWithCounters + 4;

std::string ReadLine(const std::string& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

uint64_t ReadNumber(const std::string& path) { return std::strtoull(ReadLine(path).c_str(), nullptr, 10); }

bool ParseMac(const std::string& text, uint8_t mac[6]) {
  unsigned b[6];
  if (std::sscanf(text.c_str(), "%x:%x:%x:%x:%x:%x", &b[0], &b[1], &b[2], &b[3], &b[4], &b[5]) != 6) return false;
  for (int i = 0; i < 6; ++i) mac[i] = static_cast<uint8_t>(b[i]);
  return true;
}

std::vector<TrafficCounterRecord> InterfaceTotals() {
  std::vector<TrafficCounterRecord> records;
  struct if_nameindex* names = if_nameindex();
  if (!names) return records;
  for (struct if_nameindex* n = names; n->if_index && records.size() < kMaxInterfaces; ++n) {
    std::string base = std::string("/sys/class/net/") + n->if_name;
    TrafficCounterRecord record = {};
    if (std::string(n->if_name) == "lo" || !ParseMac(ReadLine(base + "/address"), record.mac)) continue;
    record.counter[0] = ReadNumber(base + "/statistics/tx_packets");
    record.counter[1] = ReadNumber(base + "/statistics/tx_bytes");
    record.counter[4] = ReadNumber(base + "/statistics/rx_packets");
    record.counter[5] = ReadNumber(base + "/statistics/rx_bytes");
    records.push_back(record);
  }
  if_freenameindex(names);
  return records;
}

// Which interface holds each local address (refreshed once a second).
class LocalAddresses {
 public:
  // The interface of the address, 0 when no interface holds it.
  int InterfaceOf(const uint8_t* address, size_t size) {
    Refresh();
    auto it = owners_.find(std::string(reinterpret_cast<const char*>(address), size));
    return it == owners_.end() ? 0 : it->second;
  }

 private:
  void Refresh() {
    time_t now = std::time(nullptr);
    if (now == readAt_) return;
    readAt_ = now;
    owners_.clear();
    struct ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return;
    for (struct ifaddrs* a = list; a; a = a->ifa_next) {
      if (!a->ifa_addr) continue;
      int index = static_cast<int>(if_nametoindex(a->ifa_name));
      if (a->ifa_addr->sa_family == AF_INET) {
        auto* in = reinterpret_cast<sockaddr_in*>(a->ifa_addr);
        owners_[std::string(reinterpret_cast<const char*>(&in->sin_addr), 4)] = index;
      } else if (a->ifa_addr->sa_family == AF_INET6) {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(a->ifa_addr);
        owners_[std::string(reinterpret_cast<const char*>(&in6->sin6_addr), 16)] = index;
      }
    }
    freeifaddrs(list);
  }
  std::map<std::string, int> owners_;
  time_t readAt_ = 0;
};

void CountWaiting(int packetSocket, FlowBook& book, LocalAddresses& local, int loopback) {
  uint8_t packet[128];
  for (int i = 0; i < 4096; ++i) {
    sockaddr_ll from = {};
    socklen_t fromSize = sizeof from;
    ssize_t length = recvfrom(packetSocket, packet, sizeof packet, MSG_DONTWAIT | MSG_TRUNC,
                              reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (length <= 0) return;
    if (from.sll_ifindex == loopback) continue;
    size_t captured = static_cast<size_t>(length) < sizeof packet ? static_cast<size_t>(length) : sizeof packet;
    bool outgoing = from.sll_pkttype == PACKET_OUTGOING;
    int version = packet[0] >> 4;
    size_t addressSize = version == 6 ? 16 : 4;
    size_t at = version == 6 ? (outgoing ? 8 : 24) : (outgoing ? 12 : 16);
    if (captured < at + addressSize) continue;
    int owner = local.InterfaceOf(packet + at, addressSize);
    if (owner && owner != from.sll_ifindex) continue;  // counted where the address lives
    book.CountPacket(packet, captured, static_cast<size_t>(length), outgoing);
  }
}

std::vector<uint8_t> Answer(uint32_t code, uint32_t capacity, FlowBook& book) {
  switch (code) {
    case kGetFlowSizes: return WriteFlowSizesReply(kIpv4BufferSize, kIpv6BufferSize);
    case kGetTrafficSize: return WriteTrafficSizeReply(kTrafficBufferSize);
    case kGetTraffic: return WriteTrafficReply(InterfaceTotals(), capacity);
    case kGetTcp4Flows: return WriteIpv4FlowReply(book.TakeIpv4(FlowKind::kTcp4, kMaxFlows), capacity);
    case kGetUdp4Flows: return WriteIpv4FlowReply(book.TakeIpv4(FlowKind::kUdp4, kMaxFlows), capacity);
    case kGetTcp6Flows: return WriteIpv6FlowReply(book.TakeIpv6(FlowKind::kTcp6, kMaxFlows), capacity);
    case kGetUdp6Flows: return WriteIpv6FlowReply(book.TakeIpv6(FlowKind::kUdp6, kMaxFlows), capacity);
    case kOnOpen: book.Restart(); return std::vector<uint8_t>(capacity < 4 ? capacity : 4, 0);
    default: return {};
  }
}

// Reads and removes the request; false when there is none (yet) or it is cut.
bool TakeRequest(const std::string& folder, uint32_t* code, uint32_t* sequence, uint32_t* capacity) {
  std::string path = folder + "/request";
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  uint8_t bytes[12];
  size_t got = std::fread(bytes, 1, sizeof bytes, file);
  std::fclose(file);
  std::remove(path.c_str());
  if (got != sizeof bytes) return false;
  *code = ReadLe32(bytes);
  *sequence = ReadLe32(bytes + 4);
  *capacity = ReadLe32(bytes + 8);
  return true;
}

void PutReply(const std::string& folder, uint32_t sequence, const std::vector<uint8_t>& reply) {
  std::string temporary = folder + "/reply.tmp";
  FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return;
  uint8_t header[8];
  WriteLe32(header, sequence);
  WriteLe32(header + 4, static_cast<uint32_t>(reply.size()));
  std::fwrite(header, 1, sizeof header, file);
  if (!reply.empty()) std::fwrite(reply.data(), 1, reply.size(), file);
  std::fclose(file);
  char name[32];
  std::snprintf(name, sizeof name, "/reply-%08x", sequence);
  std::rename(temporary.c_str(), (folder + name).c_str());
}

// Makes this the folder's only helper. Wine starts the helper as a Linux process of its own, so
// one whose driver never unloaded (its wineserver was killed) lives on and would take the next
// driver's requests from this one; the lock file names the helper that holds it, and that helper
// is ended. The lock stays held, through the returned descriptor, until this process ends.
int BecomeOnlyHelper(const std::string& folder) {
  int lock = open((folder + "/helper.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (lock < 0) return -1;
  if (flock(lock, LOCK_EX | LOCK_NB) != 0) {
    char text[16] = {};
    if (pread(lock, text, sizeof text - 1, 0) > 0) {
      pid_t old = static_cast<pid_t>(std::atoi(text));
      std::ifstream comm("/proc/" + std::to_string(old) + "/comm");
      std::string name;
      if (old > 0 && std::getline(comm, name) && name == "lanvex_flows") kill(old, SIGTERM);
    }
    if (flock(lock, LOCK_EX) != 0) return -1;
  }
  char text[16];
  int length = std::snprintf(text, sizeof text, "%d\n", static_cast<int>(getpid()));
  if (ftruncate(lock, 0) != 0 || pwrite(lock, text, static_cast<size_t>(length), 0) != length) return -1;
  return lock;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lanvex_flows EXCHANGE-FOLDER\n");
    return 2;
  }
  std::string folder = argv[1];
  if (BecomeOnlyHelper(folder) < 0) {
    std::perror("lanvex_flows: the helper lock");
    return 1;
  }
  int packetSocket = socket(AF_PACKET, SOCK_DGRAM, htons(ETH_P_ALL));
  if (packetSocket < 0) {
    std::perror("lanvex_flows: packet socket");
    return 1;
  }
  // Room for a burst at the link's full rate while the helper waits for the processor: what the
  // queue cannot hold goes uncounted.
  int bufferSize = 32 << 20;
  setsockopt(packetSocket, SOL_SOCKET, SO_RCVBUFFORCE, &bufferSize, sizeof bufferSize);
  int watch = inotify_init1(IN_NONBLOCK);
  if (watch < 0 || inotify_add_watch(watch, folder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE) < 0) {
    std::perror("lanvex_flows: watch the exchange folder");
    return 1;
  }
  std::remove((folder + "/request").c_str());
  std::FILE* ready = std::fopen((folder + "/helper.pid").c_str(), "w");
  if (ready) {
    std::fprintf(ready, "%d\n", static_cast<int>(getpid()));
    std::fclose(ready);
  }
  FlowBook book;
  LocalAddresses local;
  int loopback = static_cast<int>(if_nametoindex("lo"));
  for (;;) {
    pollfd waits[2] = {{watch, POLLIN, 0}, {packetSocket, POLLIN, 0}};
    // The watch comes first: a busy network must not keep a request waiting.
    if (poll(waits, 2, 1000) < 0) continue;
    if (waits[0].revents & POLLIN) {
      char events[4096];
      while (read(watch, events, sizeof events) > 0) {
      }
    }
    CountWaiting(packetSocket, book, local, loopback);
    uint32_t code, sequence, capacity;
    // Looked at on every wake: a rename can come before the watch is read.
    while (TakeRequest(folder, &code, &sequence, &capacity)) {
      if (code == kStopCode) {
        std::remove((folder + "/helper.pid").c_str());
        return 0;
      }
      PutReply(folder, sequence, Answer(code, capacity, book));
    }
  }
}
