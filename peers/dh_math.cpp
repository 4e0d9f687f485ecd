#include "peers/dh_math.h"

#include <chrono>
#include <cstdlib>
#include <utility>

#include "common/secure_clear.h"

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace {

constexpr uint32_t kInitialMixWord = 0x6E2B9D17;
constexpr uint32_t kInitialShiftRegister = 0x3C58A4F1;
constexpr int64_t kSmallestOfferedModulus = int64_t{1} << 16;

// The exchange generator lives for the process; only the UDP service thread draws from it.
uint32_t mix_word = kInitialMixWord;
uint32_t shift_register = kInitialShiftRegister;

uint32_t ProcessorTimeStampLow() {
#if defined(__x86_64__) || defined(__i386__)
  return static_cast<uint32_t>(__rdtsc());
#else
  return static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
#endif
}

DhTimeStampReader time_stamp_reader = ProcessorTimeStampLow;

uint32_t TimeStampLow() { return time_stamp_reader(); }

uint32_t RotateLeft7(uint32_t word) { return word << 7 | word >> 25; }

// a^d mod n with d >= 1, n odd and below 2^31 (both checked by the callers).
bool MillerRabinWitnessPasses(int64_t a, int64_t n) {
  int64_t d = n - 1;
  int twos = 0;
  while (d % 2 == 0) {
    d /= 2;
    ++twos;
  }
  int64_t x = DhPowMod(a % n, d, n);
  if (x == 1 || x == n - 1) return true;
  for (int i = 1; i < twos; ++i) {
    x = x * x % n;
    if (x == n - 1) return true;
  }
  return false;
}

}  // namespace

void DhClear(DhContext* context) { SecureClear(context, sizeof *context); }

int64_t DhPowMod(int64_t base, int64_t exponent, int64_t modulus) {
  if (modulus < 2 || modulus > kDhValueLimit || exponent < 1 || base < 0 || base >= kDhValueLimit) {
    return kDhRefused;
  }
  if (exponent == 1) return base % modulus;
  const int64_t half = DhPowMod(base, exponent / 2, modulus);
  const int64_t square = half * half % modulus;
  // The base is not reduced before the last multiplication: below 2^31 it still fits.
  return exponent % 2 == 0 ? square : square * base % modulus;
}

bool DhIsProbablePrime(int64_t n) {
  if (n == 2 || n == 3) return true;
  if (n < 5 || n >= kDhValueLimit) return false;
  for (int round = 0; round < 5; ++round) {
    const int64_t a = std::rand() % (n - 3) + 2;
    int64_t r;
    if (n % 2 == 1) {
      r = DhPowMod(a, (n - 1) / 2, n);
      r = r * r;
    } else {
      r = DhPowMod(a, (n - 2) / 2, n);
      r = (r * r % n) * a;
    }
    if (r % n != 1) return false;
  }
  return true;
}

bool DhIsPrimeMillerRabin(int64_t n) {
  if (n < 2 || n >= kDhValueLimit) return false;
  for (int64_t small : {2, 3, 5, 7}) {
    if (n == small) return true;
    if (n % small == 0) return false;
  }
  for (int64_t a : {2, 3, 5, 7}) {
    if (!MillerRabinWitnessPasses(a, n)) return false;
  }
  return true;
}

int64_t DhGeneratePrime() {
  int64_t candidate = DhRandom31();
  if (candidate % 2 == 0) candidate += 1;
  // 2^31 - 1 is prime, so the walk never leaves 31 bits; small draws start at 5.
  if (candidate < 5) candidate = 5;
  while (!DhIsProbablePrime(candidate)) candidate += 2;
  return candidate;
}

void DhMakeParameters(DhContext* context) {
  if (context->g != 0 && context->p != 0) return;
  int64_t first = 0;
  int64_t second = 0;
  do {
    first = DhGeneratePrime();
    second = DhGeneratePrime();
    if (first > second) std::swap(first, second);
    // A Fermat liar would be refused by a peer that checks offers with Miller-Rabin.
  } while (first == second || second < kSmallestOfferedModulus || !DhIsPrimeMillerRabin(second));
  context->g = first;
  context->p = second;
}

uint32_t DhRandom31() {
  shift_register = shift_register & 1 ? (shift_register >> 1) ^ 0xC000002Au : shift_register >> 1;
  mix_word = RotateLeft7(TimeStampLow() ^ mix_word ^ shift_register);
  return (TimeStampLow() + mix_word) & 0x7FFFFFFFu;
}

void DhResetExchangeGenerator() {
  mix_word = kInitialMixWord;
  shift_register = kInitialShiftRegister;
}

void DhSetTimeStampReader(DhTimeStampReader reader) {
  time_stamp_reader = reader ? reader : ProcessorTimeStampLow;
}
