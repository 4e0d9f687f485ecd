#include "peers/aes128.h"

#include <mutex>

namespace {

struct AesTables {
  uint8_t sbox[256];
  uint8_t inverse_sbox[256];
  uint32_t forward[4][256];  // S(x)·{2,1,1,3} from the top byte down, then byte rotations
  uint32_t inverse[4][256];  // S⁻¹(x)·{14,9,13,11}, then byte rotations
  uint32_t round_constants[10];
};

AesTables tables;
std::once_flag tables_built;

uint8_t Times2(uint8_t x) { return static_cast<uint8_t>(x << 1 ^ (x & 0x80 ? 0x1B : 0)); }

uint8_t Multiply(uint8_t a, uint8_t b) {
  uint8_t product = 0;
  for (; b != 0; b >>= 1, a = Times2(a)) {
    if (b & 1) product ^= a;
  }
  return product;
}

uint32_t RotateRight8(uint32_t word) { return word >> 8 | word << 24; }

uint32_t Word(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
  return static_cast<uint32_t>(b0) << 24 | static_cast<uint32_t>(b1) << 16 | static_cast<uint32_t>(b2) << 8 | b3;
}

uint8_t Byte(uint32_t word, int index) { return static_cast<uint8_t>(word >> (24 - 8 * index)); }

void BuildTablesNow() {
  // Powers and logarithms of the generator 3 give the multiplicative inverses.
  uint8_t power[256];
  uint8_t logarithm[256] = {};
  uint8_t x = 1;
  for (int i = 0; i < 256; ++i) {
    power[i] = x;
    logarithm[x] = static_cast<uint8_t>(i);
    x = static_cast<uint8_t>(x ^ Times2(x));
  }
  for (int i = 0; i < 256; ++i) {
    uint8_t s = i == 0 ? 0 : power[255 - logarithm[i]];
    // The affine transform: s ⊕ rotl(s,1) ⊕ rotl(s,2) ⊕ rotl(s,3) ⊕ rotl(s,4) ⊕ 0x63.
    uint8_t affine = s;
    for (int r = 1; r <= 4; ++r) affine ^= static_cast<uint8_t>(s << r | s >> (8 - r));
    affine ^= 0x63;
    tables.sbox[i] = affine;
    tables.inverse_sbox[affine] = static_cast<uint8_t>(i);
  }
  for (int i = 0; i < 256; ++i) {
    const uint8_t s = tables.sbox[i];
    const uint8_t v = tables.inverse_sbox[i];
    uint32_t forward = Word(Multiply(s, 2), s, s, Multiply(s, 3));
    uint32_t inverse = Word(Multiply(v, 14), Multiply(v, 9), Multiply(v, 13), Multiply(v, 11));
    for (int t = 0; t < 4; ++t) {
      tables.forward[t][i] = forward;
      tables.inverse[t][i] = inverse;
      forward = RotateRight8(forward);
      inverse = RotateRight8(inverse);
    }
  }
  uint8_t constant = 1;
  for (int i = 0; i < 10; ++i, constant = Times2(constant)) {
    tables.round_constants[i] = static_cast<uint32_t>(constant) << 24;
  }
}

uint32_t SubWord(uint32_t word) {
  return Word(tables.sbox[Byte(word, 0)], tables.sbox[Byte(word, 1)], tables.sbox[Byte(word, 2)],
              tables.sbox[Byte(word, 3)]);
}

// InvMixColumns of one round-key word, through the tables: inverse[t][sbox[b]] is InvMix of b.
uint32_t InverseMixWord(uint32_t word) {
  return tables.inverse[0][tables.sbox[Byte(word, 0)]] ^ tables.inverse[1][tables.sbox[Byte(word, 1)]] ^
         tables.inverse[2][tables.sbox[Byte(word, 2)]] ^ tables.inverse[3][tables.sbox[Byte(word, 3)]];
}

uint32_t LoadWord(const uint8_t* at) { return Word(at[0], at[1], at[2], at[3]); }

void StoreWord(uint8_t* at, uint32_t word) {
  for (int i = 0; i < 4; ++i) at[i] = Byte(word, i);
}

// One full cipher run over the state with round keys `keys`; `table` and `box` pick the direction,
// `shift` is how many columns row r takes from to the right (1 forward, 3 inverse).
void RunRounds(const uint32_t* keys, int rounds, const uint32_t (&table)[4][256], const uint8_t* box,
               int shift, const uint8_t input[16], uint8_t output[16]) {
  uint32_t state[4];
  for (int c = 0; c < 4; ++c) state[c] = LoadWord(input + 4 * c) ^ keys[c];
  for (int round = 1; round < rounds; ++round) {
    uint32_t next[4];
    for (int c = 0; c < 4; ++c) {
      next[c] = table[0][Byte(state[c], 0)] ^ table[1][Byte(state[(c + shift) % 4], 1)] ^
                table[2][Byte(state[(c + 2 * shift) % 4], 2)] ^ table[3][Byte(state[(c + 3 * shift) % 4], 3)] ^
                keys[4 * round + c];
    }
    for (int c = 0; c < 4; ++c) state[c] = next[c];
  }
  for (int c = 0; c < 4; ++c) {
    const uint32_t last = Word(box[Byte(state[c], 0)], box[Byte(state[(c + shift) % 4], 1)],
                               box[Byte(state[(c + 2 * shift) % 4], 2)], box[Byte(state[(c + 3 * shift) % 4], 3)]);
    StoreWord(output + 4 * c, last ^ keys[4 * rounds + c]);
  }
}

}  // namespace

void AesBuildTables() { std::call_once(tables_built, BuildTablesNow); }

void AesSetKey(AesContext* context, const uint8_t key[16]) {
  AesBuildTables();
  context->rounds = 10;
  uint32_t* w = context->encrypt_keys;
  for (int i = 0; i < 4; ++i) w[i] = LoadWord(key + 4 * i);
  for (int i = 4; i < 44; ++i) {
    uint32_t previous = w[i - 1];
    if (i % 4 == 0) previous = SubWord(previous << 8 | previous >> 24) ^ tables.round_constants[i / 4 - 1];
    w[i] = w[i - 4] ^ previous;
  }
  // The equivalent inverse cipher: round keys in reverse round order, inner rounds InvMixColumns'd.
  uint32_t* d = context->decrypt_keys;
  for (int round = 0; round <= 10; ++round) {
    for (int c = 0; c < 4; ++c) {
      const uint32_t word = w[4 * (10 - round) + c];
      d[4 * round + c] = round == 0 || round == 10 ? word : InverseMixWord(word);
    }
  }
}

void AesEncryptBlock(const AesContext* context, const uint8_t input[16], uint8_t output[16]) {
  RunRounds(context->encrypt_keys, context->rounds, tables.forward, tables.sbox, 1, input, output);
}

void AesDecryptBlock(const AesContext* context, const uint8_t input[16], uint8_t output[16]) {
  RunRounds(context->decrypt_keys, context->rounds, tables.inverse, tables.inverse_sbox, 3, input, output);
}
