// AES-128 on single 16-byte blocks, table-driven, as FIPS-197 defines it. Every operation prepares
// its own context from the 16 key bytes; the tables are built once per process.
#pragma once
#include <cstdint>

struct AesContext {
  uint32_t encrypt_keys[64];  // 44 words used
  uint32_t decrypt_keys[64];  // 44 words used: the equivalent inverse cipher's round keys
  int rounds;                 // always 10
};

// Builds the S-boxes, the round tables and the round constants. AesSetKey calls it; it runs once
// however many threads prepare their first key at the same moment.
void AesBuildTables();

// Prepares the encryption and decryption round keys. Only 128-bit keys exist here: `key_bits` is
// always 128 and any other value prepares AES-128 all the same.
void AesSetKey(AesContext* context, const uint8_t key[16], int key_bits);

void AesEncryptBlock(const AesContext* context, const uint8_t input[16], uint8_t output[16]);
void AesDecryptBlock(const AesContext* context, const uint8_t input[16], uint8_t output[16]);
