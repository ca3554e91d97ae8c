// SHA-256 through CommonCrypto.
#include "platform/Sha256.h"

#include <CommonCrypto/CommonDigest.h>

#include <algorithm>
#include <limits>

Sha256Digest sha256(const void* data, std::size_t size) {
  Sha256Digest digest{};
  CC_SHA256_CTX context;
  CC_SHA256_Init(&context);
  // CommonCrypto counts lengths in 32 bits; feed larger inputs in pieces.
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  constexpr std::size_t maxChunk = std::numeric_limits<CC_LONG>::max();
  while (size > 0) {
    std::size_t chunk = std::min(size, maxChunk);
    CC_SHA256_Update(&context, bytes, static_cast<CC_LONG>(chunk));
    bytes += chunk;
    size -= chunk;
  }
  CC_SHA256_Final(digest.data(), &context);
  return digest;
}
