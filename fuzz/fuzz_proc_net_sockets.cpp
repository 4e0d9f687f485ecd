// Any text as a kernel socket table (both address widths) and as an fdinfo or comm file: every
// row read keeps its fields within their sizes, and nothing reads past the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/proc_net_sockets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (bool ipv6 : {false, true}) {
    if (ParseProcNetSockets(text, ipv6).size() > size) __builtin_trap();
  }
  ParseFdinfo(text);
  if (ParseCommName(text).size() > size) __builtin_trap();
  return 0;
}
