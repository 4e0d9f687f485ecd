// Clearing key material in the portable cores, which cannot reach SecureZeroMemory: stores that
// the compiler may not drop as dead, though nothing reads the bytes afterwards.
#pragma once
#include <cstddef>

void SecureClear(void* bytes, size_t size);
