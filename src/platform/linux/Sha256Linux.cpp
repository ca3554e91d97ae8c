// SHA-256 through OpenSSL's libcrypto.
#include "platform/Sha256.h"

#include <openssl/evp.h>

Sha256Digest sha256(const void* data, std::size_t size) {
  Sha256Digest digest{};
  unsigned int length = 0;
  // EVP_Digest only fails on allocation failure; the digest is then zeros,
  // which no real content hashes to.
  EVP_Digest(data, size, digest.data(), &length, EVP_sha256(), nullptr);
  return digest;
}
