// Trigram presence bits over a hash of each run.
#include "views/TrigramFilter.h"

namespace {

constexpr std::uint32_t slotBits = 16;
constexpr std::size_t wordCount = (std::size_t{1} << slotBits) / 64;

}  // namespace

std::uint32_t TrigramFilter::slot(std::uint32_t run) {
  // Multiplicative hashing spreads similar runs across the set.
  return (run * 0x9E3779B1u) >> (32 - slotBits);
}

TrigramFilter::TrigramFilter(std::string_view text) : TrigramFilter(text.size()) {
  add(text);
}

TrigramFilter::TrigramFilter(std::size_t textSize) {
  if (textSize >= minimumTextSize)
    bits_.assign(wordCount, 0);
}

void TrigramFilter::add(std::string_view piece) {
  if (bits_.empty())
    return;
  const auto* bytes = reinterpret_cast<const unsigned char*>(piece.data());
  std::size_t at = 0;
  std::uint32_t run = run_;
  for (; at < piece.size() && missing_ > 0; ++at, --missing_)
    run = (run << 8) | bytes[at];
  std::uint64_t* bits = bits_.data();
  for (; at < piece.size(); ++at) {
    run = ((run << 8) | bytes[at]) & 0xFFFFFF;
    const std::uint32_t slotAt = slot(run);
    bits[slotAt / 64] |= std::uint64_t{1} << (slotAt % 64);
  }
  run_ = run & 0xFFFFFF;
}

bool TrigramFilter::mayContain(std::string_view query) const {
  if (bits_.empty() || query.size() < 3)
    return true;
  const auto* bytes = reinterpret_cast<const unsigned char*>(query.data());
  for (std::size_t i = 0; i + 2 < query.size(); ++i) {
    const std::uint32_t at =
        slot((std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2]);
    if ((bits_[at / 64] & (std::uint64_t{1} << (at % 64))) == 0)
      return false;
  }
  return true;
}
