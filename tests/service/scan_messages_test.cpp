// The bytes of the replies and the rules by which a received datagram earns one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "service/scan_messages.h"

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

TEST(ScanMessages, DropRules) {
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

TEST(ScanMessages, WithoutAPrivateAddressTheOwnScansAreAnswered) {
  const uint8_t none[4] = {0, 0, 0, 0};
  const uint8_t sender[4] = {10, 0, 0, 5};
  const auto request = Bytes({0, 2, 0, 0});
  EXPECT_EQ(scan_messages::ChooseReply(request.data(), request.size(), sender, none), ReplyKind::kScanReply);
}

TEST(ScanMessages, ScanReplyLayout) {
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

TEST(ScanMessages, AliveReply) {
  uint8_t out[4] = {};
  ASSERT_EQ(scan_messages::EncodeAliveReply(out), 4u);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 4), Bytes({0, 2, 0, 3}));
}

}  // namespace
