// SHA-256 from the platform's crypto library (CommonCrypto on macOS,
// OpenSSL's libcrypto elsewhere).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

using Sha256Digest = std::array<std::uint8_t, 32>;

Sha256Digest sha256(const void* data, std::size_t size);
