// What an object of key material leaves in its memory when it goes: built in storage of the
// test's own, filled, destroyed, and the storage read back.
#pragma once
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

struct LeftBehind {
  bool filled = false;  // the object held some non-zero byte before it went
  bool cleared = false;  // every byte was zero after it went
};

// The compiler takes memory whose object has ended for indeterminate: the barrier tells it the
// bytes may be anything, and the volatile reads fetch what is really there.
inline bool AnyByteSet(const volatile unsigned char* bytes, size_t size) {
  __asm__ __volatile__("" : : "r"(bytes) : "memory");
  for (size_t i = 0; i < size; ++i) {
    if (bytes[i] != 0) return true;
  }
  return false;
}

template <class T, class Fill>
LeftBehind BytesLeftBehind(Fill fill) {
  alignas(T) unsigned char storage[sizeof(T)] = {};
  T* object = new (storage) T();
  fill(object);
  LeftBehind result;
  result.filled = AnyByteSet(storage, sizeof storage);
  object->~T();
  result.cleared = !AnyByteSet(storage, sizeof storage);
  return result;
}
