#include "peers/clipboard_transfer.h"

#include <cstring>

#include "peers/byte_order.h"

namespace {
constexpr uint32_t kRecordHeaderBytes = 8;
constexpr uint32_t kMarkerBytes = 4;
}  // namespace

bool ClipboardFormatTravels(uint32_t format) {
  switch (format) {
    case 1:   // CF_TEXT
    case 4:   // CF_SYLK
    case 5:   // CF_DIF
    case 6:   // CF_TIFF
    case 7:   // CF_OEMTEXT
    case 8:   // CF_DIB
    case 10:  // CF_PENDATA
    case 11:  // CF_RIFF
    case 12:  // CF_WAVE
    case 13:  // CF_UNICODETEXT
    case 16:  // CF_LOCALE
    case 17:  // CF_DIBV5
      return true;
    default:
      return false;
  }
}

ClipboardTransferWriter::ClipboardTransferWriter(uint8_t* buffer, uint32_t capacity)
    : buffer_(buffer), capacity_(capacity) {}

void ClipboardTransferWriter::Begin() {
  WriteBe32(buffer_, kClipboardBeginMarker);
  used_ = kMarkerBytes;
}

bool ClipboardTransferWriter::Add(uint32_t format, const uint8_t* data, uint32_t size) {
  if (capacity_ - used_ < kRecordHeaderBytes || capacity_ - used_ - kRecordHeaderBytes < size) return false;
  WriteBe32(buffer_ + used_, size + 4);
  WriteBe32(buffer_ + used_ + 4, format);
  if (size) std::memcpy(buffer_ + used_ + kRecordHeaderBytes, data, size);
  used_ += size + kRecordHeaderBytes;
  return true;
}

uint32_t ClipboardTransferWriter::Finish() {
  WriteBe32(buffer_ + used_, kClipboardEndMarker);
  return used_ + kMarkerBytes;
}

ClipboardRecordReader::ClipboardRecordReader(uint8_t* buffer, uint32_t capacity)
    : buffer_(buffer), capacity_(capacity) {}

void ClipboardRecordReader::Reset() {
  header_ = true;
  wanted_ = 4;
  done_ = 0;
}

uint32_t ClipboardRecordReader::Format() const { return ReadBe32(buffer_); }

ClipboardEvent ClipboardRecordReader::Received(uint32_t count) {
  done_ += count < Wanted() ? count : Wanted();
  if (done_ < wanted_) return ClipboardEvent::kNone;
  if (!header_) {
    // The record is whole; the next bytes are a header again (the data stays until then).
    header_ = true;
    done_ = 0;
    recordLength_ = wanted_;
    wanted_ = 4;
    return ClipboardEvent::kRecord;
  }
  const uint32_t value = ReadBe32(buffer_);
  done_ = 0;
  if (value == kClipboardBeginMarker) return ClipboardEvent::kBegin;
  if (value == kClipboardEndMarker) return ClipboardEvent::kEnd;
  if (value < 4 || value > capacity_) return ClipboardEvent::kBadLength;
  header_ = false;
  wanted_ = value;
  return ClipboardEvent::kNone;
}
