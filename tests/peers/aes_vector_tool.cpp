// Reads "key block" lines of hex from standard input and writes "encrypted decrypted" lines: the
// block under the key both ways. aes_crosscheck.py holds the answers against another AES.
#include <iostream>
#include <string>

#include "peers/aes128.h"
#include "tests/peers/hex_bytes.h"

int main() {
  std::string key_hex, block_hex;
  while (std::cin >> key_hex >> block_hex) {
    const std::vector<uint8_t> key = HexBytes(key_hex);
    const std::vector<uint8_t> block = HexBytes(block_hex);
    if (key.size() != 16 || block.size() != 16) {
      std::cerr << "bad line: " << key_hex << " " << block_hex << "\n";
      return 2;
    }
    AesContext context;
    AesSetKey(&context, key.data());
    uint8_t encrypted[16], decrypted[16];
    AesEncryptBlock(&context, block.data(), encrypted);
    AesDecryptBlock(&context, block.data(), decrypted);
    std::cout << BytesHex(encrypted, 16) << " " << BytesHex(decrypted, 16) << "\n";
  }
  return 0;
}
