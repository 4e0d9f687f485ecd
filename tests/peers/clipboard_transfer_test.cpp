#include "peers/clipboard_transfer.h"

#include <gtest/gtest.h>

#include <vector>

#include "peers/byte_order.h"

namespace {

std::vector<uint8_t> Be32(uint32_t value) {
  std::vector<uint8_t> bytes(4);
  WriteBe32(bytes.data(), value);
  return bytes;
}

// A reader over a small buffer, fed a stream in pieces of `piece` bytes.
struct Fed {
  std::vector<ClipboardEvent> events;
  std::vector<std::vector<uint8_t>> records;  // format id (4 bytes) and data
};
Fed Feed(const std::vector<uint8_t>& stream, uint32_t capacity, size_t piece) {
  std::vector<uint8_t> buffer(capacity + 4, 0xCC);
  ClipboardRecordReader reader(buffer.data(), capacity);
  Fed fed;
  size_t at = 0;
  while (at < stream.size()) {
    uint32_t take = reader.Wanted();
    if (take > piece) take = static_cast<uint32_t>(piece);
    if (take > stream.size() - at) take = static_cast<uint32_t>(stream.size() - at);
    std::copy(stream.begin() + at, stream.begin() + at + take, reader.Next());
    at += take;
    const ClipboardEvent event = reader.Received(take);
    if (event == ClipboardEvent::kNone) continue;
    fed.events.push_back(event);
    if (event == ClipboardEvent::kRecord) {
      // The format id lies just before the data.
      fed.records.emplace_back(reader.Data() - 4, reader.Data() + reader.DataSize());
    }
    if (event == ClipboardEvent::kBadLength) break;
  }
  EXPECT_EQ(buffer[capacity + 3], 0xCC) << "nothing written past the buffer";
  return fed;
}

TEST(ClipboardRecordFraming, LengthsAtTheEdges) {
  constexpr uint32_t kCapacity = 64;
  struct {
    const char* what;
    uint32_t length;
    bool taken;
  } cases[] = {
      {"length 0", 0, false},
      {"length 3", 3, false},
      {"length 4: a format without data", 4, true},
      {"length = capacity", kCapacity, true},
      {"length = capacity + 1", kCapacity + 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (size_t piece : {size_t(1), size_t(3), size_t(4096)}) {
      SCOPED_TRACE(piece);
      std::vector<uint8_t> stream = Be32(kClipboardBeginMarker);
      std::vector<uint8_t> length = Be32(c.length);
      stream.insert(stream.end(), length.begin(), length.end());
      std::vector<uint8_t> body(c.length > 4 ? c.length : 4, 0x5A);
      WriteBe32(body.data(), 13);
      if (c.length >= 4) body.resize(c.length);
      stream.insert(stream.end(), body.begin(), body.end());
      std::vector<uint8_t> end = Be32(kClipboardEndMarker);
      stream.insert(stream.end(), end.begin(), end.end());

      const Fed fed = Feed(stream, kCapacity, piece);
      if (c.taken) {
        ASSERT_EQ(fed.events, (std::vector<ClipboardEvent>{ClipboardEvent::kBegin, ClipboardEvent::kRecord,
                                                           ClipboardEvent::kEnd}));
        EXPECT_EQ(fed.records[0].size(), c.length);
        EXPECT_EQ(ReadBe32(fed.records[0].data()), 13u);
      } else {
        EXPECT_EQ(fed.events, (std::vector<ClipboardEvent>{ClipboardEvent::kBegin, ClipboardEvent::kBadLength}));
      }
    }
  }
}

TEST(ClipboardRecordFraming, WriterAndReaderAgreeAndTheBufferBoundsTheRecords) {
  constexpr uint32_t kCapacity = 40;
  std::vector<uint8_t> buffer(kCapacity + 4);
  ClipboardTransferWriter writer(buffer.data(), kCapacity);
  writer.Begin();
  const uint8_t text[] = {'a', 'b', 'c', 0};
  EXPECT_TRUE(writer.Add(1, text, sizeof text));          // 4 + 12 = 16
  EXPECT_FALSE(writer.Add(13, nullptr, 20)) << "16 + 28 > 40: left out";
  const uint8_t locale[16] = {0x09, 0x04};
  EXPECT_TRUE(writer.Add(16, locale, sizeof locale)) << "the next one is tried: 16 + 24 = 40 fits exactly";
  EXPECT_FALSE(writer.Add(7, nullptr, 0)) << "full";
  const uint32_t size = writer.Finish();
  EXPECT_EQ(size, kCapacity + 4);

  const Fed fed = Feed(std::vector<uint8_t>(buffer.begin(), buffer.begin() + size), kCapacity, 5);
  ASSERT_EQ(fed.records.size(), 2u);
  EXPECT_EQ(fed.records[0], (std::vector<uint8_t>{0, 0, 0, 1, 'a', 'b', 'c', 0}));
  EXPECT_EQ(ReadBe32(fed.records[1].data()), 16u);
  EXPECT_EQ(fed.events.back(), ClipboardEvent::kEnd);
}

TEST(ClipboardRecordFraming, ServerStreamOfSeveralTransfers) {
  std::vector<uint8_t> stream;
  for (int transfer = 0; transfer < 3; ++transfer) {
    for (uint32_t value : {kClipboardBeginMarker, 5u, 13u}) {
      std::vector<uint8_t> b = Be32(value);
      stream.insert(stream.end(), b.begin(), b.end());
    }
    stream.push_back(static_cast<uint8_t>('x' + transfer));
    std::vector<uint8_t> end = Be32(kClipboardEndMarker);
    stream.insert(stream.end(), end.begin(), end.end());
  }
  const Fed fed = Feed(stream, 64, 7);
  ASSERT_EQ(fed.records.size(), 3u);
  EXPECT_EQ(fed.records[2].back(), 'z');
  EXPECT_EQ(fed.events.size(), 9u);
}

TEST(ClipboardFormatFilter, OnlyPredefinedGlobalMemoryFormatsTravel) {
  struct {
    const char* what;
    uint32_t format;
    bool travels;
  } cases[] = {
      {"CF_TEXT", 1, true},           {"CF_UNICODETEXT", 13, true},   {"CF_OEMTEXT", 7, true},
      {"CF_LOCALE", 16, true},        {"CF_DIB", 8, true},            {"CF_DIBV5", 17, true},
      {"format id 0", 0, false},      {"CF_BITMAP handle", 2, false}, {"CF_METAFILEPICT", 3, false},
      {"CF_PALETTE handle", 9, false}, {"CF_ENHMETAFILE", 14, false}, {"CF_HDROP", 15, false},
      {"CF_OWNERDISPLAY", 0x80, false}, {"private range", 0x200, false}, {"GDI object range", 0x300, false},
      {"registered format", 0xC000, false}, {"registered format, high", 0xC123, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ClipboardFormatTravels(c.format), c.travels);
  }
}

}  // namespace
