// The clipboard stream as it arrives from a peer: the record reader over a small buffer, fed in
// pieces whose sizes the input chooses. Input: a capacity byte, then per piece one size byte and
// that many stream bytes. Every record must lie inside the buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "peers/clipboard_transfer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint32_t capacity = 4u + data[0];
  std::vector<uint8_t> buffer(capacity + 4);
  ClipboardRecordReader reader(buffer.data(), capacity);
  size_t at = 1;
  while (at < size) {
    size_t piece = data[at++];
    if (piece > size - at) piece = size - at;
    while (piece > 0) {
      uint32_t take = reader.Wanted();
      if (take > piece) take = static_cast<uint32_t>(piece);
      for (uint32_t i = 0; i < take; ++i) reader.Next()[i] = data[at + i];
      at += take;
      piece -= take;
      const ClipboardEvent event = reader.Received(take);
      if (event == ClipboardEvent::kBadLength) return 0;
      if (event == ClipboardEvent::kRecord) {
        if (reader.DataSize() + 4 > capacity) std::abort();
        volatile uint8_t sum = 0;
        for (uint32_t i = 0; i < reader.DataSize(); ++i) sum = sum + reader.Data()[i];
        (void)reader.Format();
      }
    }
  }
  return 0;
}
