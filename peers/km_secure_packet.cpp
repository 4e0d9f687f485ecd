#include "peers/km_secure_packet.h"

#include "common/secure_clear.h"
#include "peers/aes128.h"

KmSecurePacket BuildKmSecurePacket(uint16_t type, uint16_t length, const KmBlock& plain, const SwivoKey& session_key,
                                   const uint8_t pairing_key[kKmBlockSize]) {
  KmSecurePacket packet = {};
  packet.bytes[1] = static_cast<uint8_t>(length);
  packet.bytes[3] = static_cast<uint8_t>(type);
  AesContext context;
  AesSetKey(&context, session_key.bytes);
  AesEncryptBlock(&context, plain.bytes, packet.bytes + 4);
  AesEncryptBlock(&context, pairing_key, packet.bytes + 4 + kKmBlockSize);
  return packet;
}

bool OpenKmSecureBlocks(uint8_t payload_block[kKmBlockSize], const uint8_t token_block[kKmBlockSize],
                        const SwivoKey& session_key, const uint8_t pairing_key[kKmBlockSize]) {
  AesContext context;
  AesSetKey(&context, session_key.bytes);
  AesDecryptBlock(&context, payload_block, payload_block);
  uint8_t token[kKmBlockSize];
  AesDecryptBlock(&context, token_block, token);
  // Every byte is compared, so the time taken says nothing about where a forged token differs.
  uint8_t difference = 0;
  for (size_t i = 0; i < kKmBlockSize; ++i) difference |= static_cast<uint8_t>(token[i] ^ pairing_key[i]);
  SecureClear(token, sizeof token);  // a sound token is the pairing key itself
  return difference == 0;
}
