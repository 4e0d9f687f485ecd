// Any bytes as the reply to a reverse look-up: the header checks, the question skipped, the first
// answer's name decoded with its pointers, all within the received length.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "monitor/dns_ptr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> reply(data, data + size);
  std::string name;
  if (ReadPtrReply(reply.data(), reply.size(), 0x4D2, &name) == PtrReply::kName && name.size() > kDnsMaxName) {
    __builtin_trap();
  }
  size_t after = 0;
  for (size_t offset : {size_t{0}, size_t{12}}) {
    if (DnsDecodeName(reply.data(), reply.size(), offset, &name, &after) && after > reply.size()) __builtin_trap();
  }
  return 0;
}
