// Trigram presence bits over a hash of each run.
#include "views/TrigramFilter.h"

namespace {

constexpr std::uint32_t slotBits = 16;
constexpr std::size_t wordCount = (std::size_t{1} << slotBits) / 64;

}  // namespace

std::uint32_t TrigramFilter::slot(unsigned char a, unsigned char b, unsigned char c) {
  const std::uint32_t run = (std::uint32_t{a} << 16) | (std::uint32_t{b} << 8) | c;
  // Multiplicative hashing spreads similar runs across the set.
  return (run * 0x9E3779B1u) >> (32 - slotBits);
}

TrigramFilter::TrigramFilter(std::string_view text) {
  if (text.size() < minimumTextSize)
    return;
  bits_.assign(wordCount, 0);
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (std::size_t i = 0; i + 2 < text.size(); ++i) {
    const std::uint32_t at = slot(bytes[i], bytes[i + 1], bytes[i + 2]);
    bits_[at / 64] |= std::uint64_t{1} << (at % 64);
  }
}

bool TrigramFilter::mayContain(std::string_view query) const {
  if (bits_.empty() || query.size() < 3)
    return true;
  const auto* bytes = reinterpret_cast<const unsigned char*>(query.data());
  for (std::size_t i = 0; i + 2 < query.size(); ++i) {
    const std::uint32_t at = slot(bytes[i], bytes[i + 1], bytes[i + 2]);
    if ((bits_[at / 64] & (std::uint64_t{1} << (at % 64))) == 0)
      return false;
  }
  return true;
}
