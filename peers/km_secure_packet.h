// The 36-byte form in which KmStatus, KmKey and KmMouse travel: the four header bytes, the plain
// payload block under the session key, and the token block, the controlled slot's pairing key
// under the same session key.
#pragma once
#include <cstdint>

#include "peers/lan_message.h"
#include "peers/swivo_exchange.h"

struct KmSecurePacket {
  uint8_t bytes[kKmSecurePacketSize];
};

// `length` is the message's L (4, 8 or 12) and `type` 6, 7 or 8.
KmSecurePacket BuildKmSecurePacket(uint16_t type, uint16_t length, const KmBlock& plain, const SwivoKey& session_key,
                                   const uint8_t pairing_key[kKmBlockSize]);

// Decrypts the payload block (16 bytes, in place) and the token block under the session key;
// true when the token equals the pairing key in all 16 bytes.
bool OpenKmSecureBlocks(uint8_t payload_block[kKmBlockSize], const uint8_t token_block[kKmBlockSize],
                        const SwivoKey& session_key, const uint8_t pairing_key[kKmBlockSize]);
