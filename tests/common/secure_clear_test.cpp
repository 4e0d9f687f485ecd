// The secure clear: every byte of the range becomes zero, nothing beside it changes.
#include "common/secure_clear.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(SecureClear, ClearsTheRangeAndNothingElse) {
  struct Case {
    const char* what;
    size_t offset, size;
  };
  const Case cases[] = {{"nothing", 4, 0}, {"one byte", 4, 1}, {"a key", 4, 16}, {"odd size at an odd offset", 3, 29}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> bytes(40, 0xA5);
    SecureClear(bytes.data() + c.offset, c.size);
    for (size_t i = 0; i < bytes.size(); ++i) {
      const bool inside = i >= c.offset && i < c.offset + c.size;
      EXPECT_EQ(bytes[i], inside ? 0 : 0xA5) << "byte " << i;
    }
  }
}

}  // namespace
