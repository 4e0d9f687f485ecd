// The Diffie-Hellman arithmetic of Swivo's key agreement on signed 64-bit integers: every modulus
// and value in use is below 2^31, so each product of two fits in 63 bits. Also the two generators
// that only feed prime generation: the exchange generator (a shift register mixed with the
// processor's time-stamp counter) and the C library's, which picks the Fermat bases.
#pragma once
#include <cstdint>

// Base g, modulus p, the responder's and the initiator's private exponents, the responder's and the
// initiator's public values, and the shared value.
struct DhContext {
  int64_t g;
  int64_t p;
  int64_t responder_private;
  int64_t initiator_private;
  int64_t responder_public;
  int64_t initiator_public;
  int64_t shared;
};

void DhClear(DhContext* context);

// What DhPowMod gives for inputs it refuses.
inline constexpr int64_t kDhRefused = -1;
// Every value of an exchange lies below this.
inline constexpr int64_t kDhValueLimit = int64_t{1} << 31;

// base^exponent mod modulus by recursive square and multiply. Refuses (kDhRefused) a modulus below
// 2 or above 2^31, an exponent below 1 and a base outside [0, 2^31): from the wire these would
// recurse without end, divide by zero or overflow.
int64_t DhPowMod(int64_t base, int64_t exponent, int64_t modulus);

// Five Fermat rounds with bases from the C library's generator. 2 and 3 are prime; other values
// below 5, and values of 2^31 or more, are not taken as primes.
bool DhIsProbablePrime(int64_t n);

// Miller-Rabin with the bases 2, 3, 5 and 7, which decide every n below 3 215 031 751 exactly:
// the check of a modulus that a peer offers.
bool DhIsPrimeMillerRabin(int64_t n);

// An odd probable prime of about 31 bits: a draw of the exchange generator, then upwards by 2.
int64_t DhGeneratePrime();

// When g or p is 0: two primes, the smaller as g, the larger as p. Redraws until they differ and
// p is at least 2^16 and passes Miller-Rabin, so that a peer that checks offers never refuses them.
void DhMakeParameters(DhContext* context);

// One draw of the exchange generator, 0 to 2^31 - 1. Not a source of secrets.
uint32_t DhRandom31();

// Sets the exchange generator's state words back to their fixed initial values.
void DhResetExchangeGenerator();

// Where the exchange generator reads the time-stamp counter: a seam, so that a test can hold the
// counter still and see the state words alone. nullptr restores the processor's counter.
using DhTimeStampReader = uint32_t (*)();
void DhSetTimeStampReader(DhTimeStampReader reader);
