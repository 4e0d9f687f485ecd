// The kernel's socket tables and fdinfo files as the owner fill-in reads them: addresses in wire
// order from the kernel's little-endian words, ports, inodes, and lines that must be left out.
#include "platform/proc_net_sockets.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const char kTcpHeading[] =
    "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  timeout inode\n";

std::vector<uint8_t> Bytes(const uint8_t* address, size_t count) { return {address, address + count}; }

TEST(ParseProcNetSockets, Ipv4Table) {
  struct Case {
    const char* what;
    std::string line;
    size_t rows;
    std::vector<uint8_t> local, remote;
    uint16_t localPort, remotePort;
    uint64_t inode;
  } cases[] = {
      {"a listener on every address",
       "   0: 00000000:1F90 00000000:0000 0A 00000000:00000000 00:00000000 00000000     0        0 3313444 1 0000 100 0 0 10 0\n",
       1, {0, 0, 0, 0}, {0, 0, 0, 0}, 8080, 0, 3313444},
      {"a connection: the word's low byte first on the wire",
       "  12: 0501010A:C350 010009A0:01BB 01 00000000:00000000 02:000A 00000000  1000        0 77 2 0000\n",
       1, {10, 1, 1, 5}, {160, 9, 0, 1}, 50000, 443, 77},
      {"a udp row with its drops column", "  345: 0100007F:0035 00000000:0000 07 00000000:00000000 00:00000000 00000000   101        0 4242 2 0000 0\n",
       1, {127, 0, 0, 1}, {0, 0, 0, 0}, 53, 0, 4242},
      {"an address of seven digits", "   0: 0000000:1F90 00000000:0000 0A 00000000:00000000 00:00000000 00000000 0 0 5\n", 0},
      {"no colon after the slot", "   0 00000000:1F90 00000000:0000 0A 00000000:00000000 00:00000000 00000000 0 0 5\n", 0},
      {"a letter in the port", "   0: 00000000:1G90 00000000:0000 0A 00000000:00000000 00:00000000 00000000 0 0 5\n", 0},
      {"a negative inode", "   0: 00000000:1F90 00000000:0000 0A 00000000:00000000 00:00000000 00000000 0 0 -5\n", 0},
      {"the line cut short", "   0: 00000000:1F90 00000000:0000 0A\n", 0},
      {"an IPv6 address in an IPv4 table",
       "   0: 00000000000000000000000000000000:1F90 00000000000000000000000000000000:0000 0A 00000000:00000000 "
       "00:00000000 00000000 0 0 5\n",
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<ProcNetSocket> rows = ParseProcNetSockets(kTcpHeading + c.line, false);
    ASSERT_EQ(rows.size(), c.rows);
    if (!c.rows) continue;
    EXPECT_EQ(Bytes(rows[0].local, 4), c.local);
    EXPECT_EQ(Bytes(rows[0].remote, 4), c.remote);
    EXPECT_EQ(rows[0].localPort, c.localPort);
    EXPECT_EQ(rows[0].remotePort, c.remotePort);
    EXPECT_EQ(rows[0].inode, c.inode);
  }
}

TEST(ParseProcNetSockets, Ipv6TableReadsFourWords) {
  const std::string text =
      "  sl  local_address                         remote_address                        st tx_queue rx_queue tr "
      "tm->when retrnsmt   uid  timeout inode\n"
      "   0: 00000000000000000000000001000000:0016 00000000000000000000000000000000:0000 0A 00000000:00000000 "
      "00:00000000 00000000     0        0 991 1 0000 100 0 0 10 0\n"
      "   1: B80D0120000000000000000001000000:A000 0000000000000000FFFF00000501010A:0050 01 00000000:00000000 "
      "00:00000000 00000000  1000        0 992 1 0000\n";
  std::vector<ProcNetSocket> rows = ParseProcNetSockets(text, true);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(Bytes(rows[0].local, 16), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(rows[0].localPort, 22);
  EXPECT_EQ(rows[0].inode, 991u);
  EXPECT_EQ(Bytes(rows[1].local, 16), (std::vector<uint8_t>{0x20, 0x01, 0x0d, 0xb8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(Bytes(rows[1].remote, 16),
            (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff, 10, 1, 1, 5}));
  EXPECT_EQ(rows[1].localPort, 0xA000);
  EXPECT_EQ(rows[1].remotePort, 80);
  // An IPv4 row in an IPv6 table is not read as one.
  EXPECT_TRUE(ParseProcNetSockets(std::string(kTcpHeading) +
                                      "   0: 0100007F:0035 00000000:0000 07 00000000:00000000 00:00000000 00000000 0 0 5\n",
                                  true)
                  .empty());
}

TEST(ParseFdinfo, Table) {
  struct Case {
    const char* what;
    const char* text;
    uint64_t inode, mountId;
  } cases[] = {
      {"a socket", "pos:\t0\nflags:\t02000002\nmnt_id:\t10\nino:\t3313444\n", 3313444, 10},
      {"no inode line (an older kernel)", "pos:\t0\nflags:\t02\nmnt_id:\t10\n", 0, 10},
      {"a line after the inode", "pos:\t0\nino:\t12\nmnt_id:\t9\neventfd-count: 0\n", 12, 9},
      {"garbage for the inode", "ino:\tabc\nmnt_id:\t10\n", 0, 10},
      {"an empty file", "", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FdInfo info = ParseFdinfo(c.text);
    EXPECT_EQ(info.inode, c.inode);
    EXPECT_EQ(info.mountId, c.mountId);
  }
  EXPECT_EQ(ParseCommName("python3\n"), "python3");
  EXPECT_EQ(ParseCommName(""), "");
}

}  // namespace
