// AES-128 on single 16-byte blocks, table-driven, as FIPS-197 defines it. Every operation prepares
// its own context from the 16 key bytes; the tables are built once per process.
//
// Why table lookups are acceptable here: a table-driven AES leaks key-dependent cache timing to
// code that shares the processor's cache. Swivo's peers see only datagrams across a LAN, whose
// jitter drowns such timing; and the keys come from a Diffie-Hellman agreement over 31-bit
// moduli, which an observer of the exchange breaks far more cheaply than any cache attack would
// reach the AES key. A constant-time AES buys nothing until that agreement is replaced; when it
// is, this file must be replaced with it.
#pragma once
#include <cstdint>

#include "common/secure_clear.h"

// The round keys are key material: a context clears itself when it goes.
struct AesContext {
  uint32_t encrypt_keys[64];  // 44 words used
  uint32_t decrypt_keys[64];  // 44 words used: the equivalent inverse cipher's round keys
  int rounds;                 // always 10
  ~AesContext() { SecureClear(this, sizeof *this); }
};

// Builds the S-boxes, the round tables and the round constants. AesSetKey calls it; it runs once
// however many threads prepare their first key at the same moment.
void AesBuildTables();

// Prepares the encryption and decryption round keys of a 128-bit key, the only size there is.
void AesSetKey(AesContext* context, const uint8_t key[16]);

void AesEncryptBlock(const AesContext* context, const uint8_t input[16], uint8_t output[16]);
void AesDecryptBlock(const AesContext* context, const uint8_t input[16], uint8_t output[16]);
