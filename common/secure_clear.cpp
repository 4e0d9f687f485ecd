#include "common/secure_clear.h"

void SecureClear(void* bytes, size_t size) {
  // Stores through a volatile pointer are side effects the compiler must keep.
  volatile unsigned char* at = static_cast<volatile unsigned char*>(bytes);
  for (size_t i = 0; i < size; ++i) at[i] = 0;
#if defined(__GNUC__) || defined(__clang__)
  // And the memory counts as read after them, should the call ever be inlined.
  __asm__ __volatile__("" : : "r"(bytes) : "memory");
#endif
}
