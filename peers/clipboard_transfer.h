// The bytes of a ClipboardTransfer on the clipboard TCP stream (big-endian 32-bit values): begin
// marker, records of length n = data size + 4, format id and data, end marker. The writer that
// assembles one in the 16 MiB buffer, the reader that takes records apart as bytes arrive, and
// which clipboard formats may travel at all. No sockets, no clipboard here.
#pragma once
#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kClipboardBeginMarker = 0xFFFFFFFF;
inline constexpr uint32_t kClipboardEndMarker = 0xFFFFFFFE;
inline constexpr uint32_t kClipboardCapacity = 16u * 1024 * 1024;
// The end marker's room after a full buffer.
inline constexpr uint32_t kClipboardBufferSize = kClipboardCapacity + 4;

// Only the predefined formats whose data is plain global memory: registered ids (0xC000 and up)
// differ between computers, and bitmap, palette and metafile handles mean nothing elsewhere.
bool ClipboardFormatTravels(uint32_t format);

// Assembles one transfer in a buffer of capacity + 4 bytes.
class ClipboardTransferWriter {
 public:
  ClipboardTransferWriter(uint8_t* buffer, uint32_t capacity);
  // Writes the begin marker; used = 4.
  void Begin();
  // Appends one record when used + 8 + size stays within the capacity; false (nothing written)
  // when it does not fit.
  bool Add(uint32_t format, const uint8_t* data, uint32_t size);
  // Appends the end marker; the size of the whole transfer.
  uint32_t Finish();
  uint32_t Used() const { return used_; }

 private:
  uint8_t* buffer_;
  uint32_t capacity_;
  uint32_t used_ = 0;
};

enum class ClipboardEvent {
  kNone,       // more bytes wanted
  kBegin,      // begin marker
  kEnd,        // end marker
  kRecord,     // a whole record: Format(), Data(), DataSize()
  kBadLength,  // a length below 4 or above the capacity: the connection ends
};

// Takes a stream apart: the receiver puts the next bytes at Next() (at most Wanted() of them) and
// reports them with Received. Records are read into the buffer, never past its capacity.
class ClipboardRecordReader {
 public:
  ClipboardRecordReader(uint8_t* buffer, uint32_t capacity);
  void Reset();  // expect a header
  uint8_t* Next() { return buffer_ + done_; }
  uint32_t Wanted() const { return wanted_ - done_; }
  ClipboardEvent Received(uint32_t count);

  uint32_t Format() const;
  const uint8_t* Data() const { return buffer_ + 4; }
  uint32_t DataSize() const { return recordLength_ - 4; }

 private:
  uint8_t* buffer_;
  uint32_t capacity_;
  bool header_ = true;
  uint32_t wanted_ = 4;
  uint32_t done_ = 0;
  uint32_t recordLength_ = 4;
};
