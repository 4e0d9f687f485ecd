#include "peers/dh_math.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct PowModCase {
  int64_t base, exponent, modulus, expected;
};

const PowModCase kPowModCases[] = {
    {5, 1, 7, 5},
    {3, 4, 7, 4},
    {2, 10, 1000, 24},
    {9, 1, 7, 2},                                 // e = 1 still reduces the base
    {2, 30, 2147483647, 1073741824},
    {2147483646, 2, 2147483647, 1},               // (p - 1)^2 = 1, the products stay in 63 bits
    {7, 2147483646, 2147483647, 1},               // Fermat: a^(p-1) = 1
    {0, 5, 13, 0},
    {12345, 67890, 2, 1},
    // Refused: these would recurse without end, divide by zero or overflow.
    {3, 0, 7, kDhRefused},
    {3, -1, 7, kDhRefused},
    {3, 5, 0, kDhRefused},
    {3, 5, 1, kDhRefused},
    {3, 5, -7, kDhRefused},
    {3, 5, (int64_t{1} << 31) + 1, kDhRefused},
    {-3, 5, 7, kDhRefused},
    {int64_t{1} << 31, 5, 7, kDhRefused},
};

TEST(DhPowMod, TableIncludingRefusedInputs) {
  for (const PowModCase& c : kPowModCases) {
    EXPECT_EQ(DhPowMod(c.base, c.exponent, c.modulus), c.expected)
        << c.base << "^" << c.exponent << " mod " << c.modulus;
  }
}

struct PrimeCase {
  int64_t n;
  bool prime;        // the truth, which Miller-Rabin tells exactly
  bool fermat_says;  // five Fermat rounds: no Carmichael number in this table, so certain
};

const PrimeCase kPrimeCases[] = {
    {0, false, false}, {1, false, false}, {2, true, true}, {3, true, true}, {4, false, false},
    {5, true, true}, {9, false, false}, {65537, true, true}, {65535, false, false},
    {2147483647, true, true}, {2147483646, false, false}, {2147483649, false, false},
    {46337 * 46337, false, false}, {-7, false, false},
};

TEST(DhPrimes, FermatAndMillerRabinOnATable) {
  for (const PrimeCase& c : kPrimeCases) {
    EXPECT_EQ(DhIsPrimeMillerRabin(c.n), c.prime) << c.n;
    EXPECT_EQ(DhIsProbablePrime(c.n), c.fermat_says) << c.n;
  }
  // Carmichael numbers, which Fermat rounds may pass, and strong pseudoprimes to some of the bases.
  const int64_t composites[] = {561, 1105, 1729, 2047, 1373653, 25326001, 2146992169};
  for (int64_t composite : composites) {
    EXPECT_FALSE(DhIsPrimeMillerRabin(composite)) << composite;
  }
}

TEST(DhPrimes, GeneratedPrimesAreOddPrimesBelow2To31) {
  for (int i = 0; i < 20; ++i) {
    const int64_t prime = DhGeneratePrime();
    EXPECT_LT(prime, kDhValueLimit);
    EXPECT_EQ(prime % 2, 1);
    EXPECT_TRUE(DhIsPrimeMillerRabin(prime)) << prime;
  }
}

TEST(DhParameters, DrawnOnceWithTheSmallerPrimeAsBase) {
  DhContext context;
  DhClear(&context);
  DhMakeParameters(&context);
  EXPECT_LT(context.g, context.p);
  EXPECT_GE(context.p, int64_t{1} << 16);
  EXPECT_TRUE(DhIsPrimeMillerRabin(context.g));
  EXPECT_TRUE(DhIsPrimeMillerRabin(context.p));
  const DhContext kept = context;
  DhMakeParameters(&context);
  EXPECT_EQ(context.g, kept.g);
  EXPECT_EQ(context.p, kept.p);
}

TEST(DhRandom31, DrawsStayIn31BitsAndTheStateRestarts) {
  DhResetExchangeGenerator();
  for (int i = 0; i < 1000; ++i) EXPECT_LT(DhRandom31(), 1u << 31);

  // With the counter held at 0 the draws are the state words' alone: after a restart they begin
  // again from W = 0x6E2B9D17 and S = 0x3C58A4F1, whatever was drawn before.
  DhSetTimeStampReader([]() -> uint32_t { return 0; });
  const std::vector<uint32_t> fromTheStart = {0x03e7a2d8, 0x78c5f8b6, 0x27760447};
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run == 0 ? "after 1000 draws" : "after a second restart");
    DhResetExchangeGenerator();
    std::vector<uint32_t> draws;
    for (size_t i = 0; i < fromTheStart.size(); ++i) draws.push_back(DhRandom31());
    EXPECT_EQ(draws, fromTheStart);
  }
  DhSetTimeStampReader(nullptr);
}

}  // namespace
