// The reverse look-up's bytes: the query for d.c.b.a.in-addr.arpa, and replies read within their
// length: compressed names, answers of other types, no answers, foreign IDs, loops, cut replies.
#include "monitor/dns_ptr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Query(uint16_t id, const char* reversed) {
  Bytes buffer(kDnsBufferSize);
  size_t length = BuildPtrQuery(id, reversed, buffer.data(), buffer.size());
  buffer.resize(length);
  return buffer;
}

Bytes Name(const std::string& dotted) {
  Bytes out;
  size_t start = 0;
  while (start < dotted.size()) {
    size_t dot = dotted.find('.', start);
    if (dot == std::string::npos) dot = dotted.size();
    out.push_back(static_cast<uint8_t>(dot - start));
    out.insert(out.end(), dotted.begin() + static_cast<long>(start), dotted.begin() + static_cast<long>(dot));
    start = dot + 1;
  }
  out.push_back(0);
  return out;
}

// A reply to query: the question echoed, then one answer of type with rdata.
Bytes Reply(const Bytes& query, uint16_t answers, uint16_t type, const Bytes& rdata, bool pointerOwner = true) {
  Bytes reply = query;
  reply[2] = 0x81;
  reply[3] = 0x80;
  reply[6] = static_cast<uint8_t>(answers >> 8);
  reply[7] = static_cast<uint8_t>(answers);
  if (!answers) return reply;
  if (pointerOwner) {
    reply.insert(reply.end(), {0xC0, 12});
  } else {
    reply.insert(reply.end(), query.begin() + 12, query.end() - 4);
  }
  reply.insert(reply.end(), {static_cast<uint8_t>(type >> 8), static_cast<uint8_t>(type), 0, 1, 0, 0, 0x0E, 0x10,
                             static_cast<uint8_t>(rdata.size() >> 8), static_cast<uint8_t>(rdata.size())});
  reply.insert(reply.end(), rdata.begin(), rdata.end());
  return reply;
}

TEST(DnsQuery, AsksForTheReverseNameOfTheAddress) {
  Bytes query = Query(0x1234, "4.3.2.1");
  Bytes expected = {0x12, 0x34, 0x01, 0x00, 0, 1, 0, 0, 0, 0, 0, 0};
  Bytes name = Name("4.3.2.1.in-addr.arpa");
  expected.insert(expected.end(), name.begin(), name.end());
  expected.insert(expected.end(), {0, 12, 0, 1});
  EXPECT_EQ(query, expected);
  EXPECT_EQ(ReversedAddressText(0x01020304), "4.3.2.1");
}

TEST(DnsQuery, RefusesTextsThatMakeNoName) {
  uint8_t out[64];
  size_t length = 0;
  for (const char* text : {"", "1..2", "255.255.255.255.255.255.255.2555", ".1.2.3"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(DnsEncodeReverseName(text, out, sizeof out, &length));
  }
  EXPECT_FALSE(DnsEncodeReverseName("4.3.2.1", out, 10, &length));  // too little room
}

TEST(DnsReply, Table) {
  const Bytes query = Query(77, "2.0.168.192");
  Bytes target = Name("ws-b.trial.lan");
  Bytes compressedTarget = {4, 'h', 'o', 's', 't', 0xC0, 12};  // host.<the question's name>
  Bytes loop = {0xC0, 0};
  struct Case {
    const char* what;
    Bytes reply;
    PtrReply result;
    std::string name;
  } cases[] = {
      {"plain name", Reply(query, 1, 12, target), PtrReply::kName, "ws-b.trial.lan"},
      {"owner written out", Reply(query, 1, 12, target, false), PtrReply::kName, "ws-b.trial.lan"},
      {"compressed rdata", Reply(query, 1, 12, compressedTarget), PtrReply::kName, "host.2.0.168.192.in-addr.arpa"},
      {"no answers", Reply(query, 0, 12, target), PtrReply::kNoName, ""},
      {"ANCOUNT 0 with a record after", [&] { Bytes r = Reply(query, 1, 12, target); r[7] = 0; return r; }(),
       PtrReply::kNoName, ""},
      {"an answer of type A", Reply(query, 1, 1, {192, 168, 0, 2}), PtrReply::kNoName, ""},
      {"rdata past the end", [&] { Bytes r = Reply(query, 1, 12, target); r.resize(r.size() - 3); return r; }(),
       PtrReply::kNoName, ""},
      {"cut in the answer header", [&] { Bytes r = Reply(query, 1, 12, target); r.resize(query.size() + 5); return r; }(),
       PtrReply::kNoName, ""},
      {"a pointer loop", [&] { Bytes r = Reply(query, 1, 12, loop); r[r.size() - 1] = static_cast<uint8_t>(r.size() - 2); return r; }(),
       PtrReply::kNoName, ""},
      {"a pointer out of the reply", Reply(query, 1, 12, {0xC7, 0xFF}), PtrReply::kNoName, ""},
      {"a label length of 64..191", Reply(query, 1, 12, {0x50, 'a', 0}), PtrReply::kNoName, ""},
      {"a foreign ID", [&] { Bytes r = Reply(query, 1, 12, target); r[1] ^= 1; return r; }(), PtrReply::kIgnored, ""},
      {"a query, not a reply", [&] { Bytes r = Reply(query, 1, 12, target); r[2] = 0x01; return r; }(),
       PtrReply::kIgnored, ""},
      {"shorter than a header", Bytes{0, 77, 0x81}, PtrReply::kIgnored, ""},
      {"an answer count with no answer", [&] { Bytes r = query; r[2] = 0x81; r[7] = 1; return r; }(),
       PtrReply::kNoName, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string name = "untouched";
    Bytes exact = c.reply;  // exact size: a read past it is caught natively
    PtrReply result = ReadPtrReply(exact.data(), exact.size(), 77, &name);
    EXPECT_EQ(result, c.result);
    if (c.result == PtrReply::kName) {
      EXPECT_EQ(name, c.name);
    } else {
      EXPECT_EQ(name, "untouched");
    }
  }
}

TEST(DnsDecodeName, StopsAtTwoHundredFiftyFiveCharacters) {
  Bytes reply;
  for (int i = 0; i < 5; ++i) {
    reply.push_back(63);
    reply.insert(reply.end(), 63, 'x');
  }
  reply.push_back(0);
  std::string name;
  size_t after = 0;
  EXPECT_FALSE(DnsDecodeName(reply.data(), reply.size(), 0, &name, &after));
  reply.erase(reply.begin() + 4 * 64, reply.end() - 1);
  EXPECT_TRUE(DnsDecodeName(reply.data(), reply.size(), 0, &name, &after));
  EXPECT_EQ(name.size(), 4 * 63 + 3u);
  EXPECT_EQ(after, reply.size());
}

}  // namespace
