// The scan family's one codec: the rules by which a received datagram earns a reply, the bytes of
// the replies, and the interactive side's reading of what the service sends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/scan_codec.h"

namespace {

using scan_messages::ReplyKind;

std::vector<uint8_t> Bytes(std::initializer_list<int> values, size_t padTo = 0) {
  std::vector<uint8_t> bytes;
  for (int v : values) bytes.push_back(static_cast<uint8_t>(v));
  if (bytes.size() < padTo) bytes.resize(padTo, 0);
  return bytes;
}

// UTF-16LE of the text followed by NUL units up to `units` in all.
std::vector<uint8_t> Utf16Le(const std::u16string& text, size_t units) {
  std::vector<uint8_t> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  bytes.resize(2 * units, 0);
  return bytes;
}

TEST(ScanCodec, DropRules) {
  const uint8_t own[4] = {192, 168, 7, 1};
  const uint8_t other[4] = {192, 168, 7, 2};
  struct Case {
    const char* what;
    std::vector<uint8_t> datagram;
    const uint8_t* sender;
    ReplyKind expected;
  };
  const Case cases[] = {
      {"empty", {}, other, ReplyKind::kNone},
      {"3 bytes", Bytes({0, 2, 0}), other, ReplyKind::kNone},
      {"length 0", Bytes({0, 0, 0, 0}), other, ReplyKind::kNone},
      {"length 257", Bytes({1, 1, 0, 0}), other, ReplyKind::kNone},
      {"length 256, 4 bytes", Bytes({1, 0, 0, 0}), other, ReplyKind::kScanReply},
      {"length 1", Bytes({0, 1, 0, 0}), other, ReplyKind::kScanReply},
      {"alive query, length 256, 4 bytes", Bytes({1, 0, 0, 2}), other, ReplyKind::kAliveReply},
      {"scan request", Bytes({0, 2, 0, 0}), other, ReplyKind::kScanReply},
      {"scan request with payload", Bytes({0, 2, 0, 0, 9, 9}), other, ReplyKind::kScanReply},
      {"scan request from the own address", Bytes({0, 2, 0, 0}), own, ReplyKind::kNone},
      {"alive query", Bytes({0, 2, 0, 2}), other, ReplyKind::kAliveReply},
      {"alive query from the own address", Bytes({0, 2, 0, 2}), own, ReplyKind::kAliveReply},
      {"scan reply", Bytes({0, 2, 0, 1}), other, ReplyKind::kNone},
      {"alive reply", Bytes({0, 2, 0, 3}), other, ReplyKind::kNone},
      {"type 0x100", Bytes({0, 2, 1, 0}), other, ReplyKind::kNone},
      {"Swivo key", Bytes({0, 8, 0, 7}, 36), other, ReplyKind::kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(scan_messages::ChooseReply(c.datagram.data(), c.datagram.size(), c.sender, own), c.expected);
  }
}

TEST(ScanCodec, WithoutAPrivateAddressTheOwnScansAreAnswered) {
  const uint8_t none[4] = {0, 0, 0, 0};
  const uint8_t sender[4] = {10, 0, 0, 5};
  const auto request = Bytes({0, 2, 0, 0});
  EXPECT_EQ(scan_messages::ChooseReply(request.data(), request.size(), sender, none), ReplyKind::kScanReply);
}

TEST(ScanCodec, ScanReplyLayout) {
  struct Case {
    std::u16string name, cpu, mac;
    size_t size;
    std::u16string sentName, sentCpu, sentMac;
  };
  const Case cases[] = {
      {u"ABC", u"", u"0123456789AB", 42, u"ABC", u"", u"0123456789AB"},
      {u"ABC", u"XYZ", u"0123456789AB", 48, u"ABC", u"XYZ", u"0123456789AB"},
      // A short MAC text goes out padded with NULs, never with what lay behind it.
      {u"PC", u"", u"12AB", 40, u"PC", u"", u"12AB"},
      {u"PC", u"", u"0123456789ABCDEF", 40, u"PC", u"", u"0123456789AB"},
      {std::u16string(40, u'N'), std::u16string(70, u'C'), u"0123456789AB", 224, std::u16string(31, u'N'),
       std::u16string(63, u'C'), u"0123456789AB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.size));
    std::vector<uint8_t> out(scan_messages::kMaxScanReplyBytes, 0xEE);
    const size_t size = scan_messages::EncodeScanReply(out.data(), 9, c.name, c.cpu, c.mac);
    ASSERT_EQ(size, c.size);
    std::vector<uint8_t> expected = {static_cast<uint8_t>((size - 2) >> 8), static_cast<uint8_t>(size - 2), 0, 1, 0, 9};
    for (const auto& part : {Utf16Le(c.sentName, c.sentName.size() + 1), Utf16Le(c.sentCpu, c.sentCpu.size() + 1),
                             Utf16Le(c.sentMac, 13)}) {
      expected.insert(expected.end(), part.begin(), part.end());
    }
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + size), expected);
  }
}

TEST(ScanCodec, AliveReply) {
  uint8_t out[4] = {};
  ASSERT_EQ(scan_messages::EncodeAliveReply(out), 4u);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 4), Bytes({0, 2, 0, 3}));
}

// The interactive side reads what the service writes: every reply the encoder can build decodes
// to the texts it was given, cut to the service's room, and the MAC's digits.
TEST(ScanCodec, ServiceRepliesDecodeOnTheInteractiveSide) {
  struct Case {
    const char* what;
    std::u16string name, cpu, mac;
    std::u16string decodedName, decodedCpu;
    std::vector<uint8_t> decodedMac;
  };
  const Case cases[] = {
      {"three letters, no CPU", u"ABC", u"", u"0123456789AB", u"ABC", u"", {0x01, 0x23, 0x45, 0x67, 0x89, 0xab}},
      {"short MAC text: NULs, so zero bytes", u"PC", u"CPU", u"12AB", u"PC", u"CPU", {0x12, 0xab, 0, 0, 0, 0}},
      {"odd MAC text", u"PC", u"CPU", u"12A", u"PC", u"CPU", {0x12, 0, 0, 0, 0, 0}},
      {"no MAC text", u"PC", u"", u"", u"PC", u"", {0, 0, 0, 0, 0, 0}},
      {"long texts cut to 31 and 63", std::u16string(40, u'N'), std::u16string(70, u'C'), u"AABBCCDDEEFF",
       std::u16string(31, u'N'), std::u16string(63, u'C'), {0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff}},
      {"empty computer name", u"", u"", u"000000000000", u"", u"", {0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    uint8_t out[scan_messages::kMaxScanReplyBytes];
    const size_t size = scan_messages::EncodeScanReply(out, 7, c.name, c.cpu, c.mac);
    scan_messages::Header header;
    ASSERT_TRUE(scan_messages::ReadHeader(out, size, &header));
    EXPECT_EQ(header.type, scan_messages::kScanReply);
    ASSERT_EQ(scan_messages::PayloadBytes(header, size), size - 4);
    scan_messages::ScanReplyFields fields;
    ASSERT_TRUE(scan_messages::DecodeScanReply(out + 4, size - 4, &fields));
    EXPECT_EQ(fields.osTypeCode, 7);
    EXPECT_EQ(fields.computerName, c.decodedName);
    EXPECT_EQ(fields.cpuName, c.decodedCpu);
    EXPECT_EQ(std::vector<uint8_t>(fields.mac, fields.mac + 6), c.decodedMac);
  }
}

// What the length field counts and the datagram holds, whichever is less.
TEST(ScanCodec, PayloadBytesStayInsideTheDatagram) {
  struct Case {
    const char* what;
    uint16_t length;
    size_t size;
    size_t payload;
  };
  const Case cases[] = {
      {"as sent", 46, 48, 44},           {"bytes beyond L", 4, 48, 2},  {"L beyond the datagram", 256, 10, 6},
      {"header only, L 256", 256, 4, 0}, {"L of 1", 1, 10, 0},          {"fewer bytes than a header", 2, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(scan_messages::PayloadBytes({c.length, 1}, c.size), c.payload);
  }
}

TEST(ScanCodec, RequestsAsTheInteractiveProgramSendsThem) {
  uint8_t out[4] = {};
  ASSERT_EQ(scan_messages::EncodeScanRequest(out), 4u);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 4), Bytes({0, 2, 0, 0}));
  ASSERT_EQ(scan_messages::EncodeAliveQuery(out), 4u);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 4), Bytes({0, 2, 0, 2}));
}

}  // namespace
