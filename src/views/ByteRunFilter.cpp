// Presence bits of each byte, each byte pair and a hash of each byte triple.
#include "views/ByteRunFilter.h"

namespace {

// One bit set after the other: bytes, pairs, then the triples' hash slots.
constexpr std::size_t byteBits = 256;
constexpr std::size_t pairBits = std::size_t{1} << 16;
constexpr std::uint32_t tripleSlotBits = 16;
constexpr std::size_t pairsAt = byteBits;
constexpr std::size_t triplesAt = pairsAt + pairBits;
constexpr std::size_t wordCount = (triplesAt + (std::size_t{1} << tripleSlotBits)) / 64;

}  // namespace

std::uint32_t ByteRunFilter::tripleSlot(std::uint32_t run) {
  // Multiplicative hashing spreads similar runs across the set.
  return (run * 0x9E3779B1u) >> (32 - tripleSlotBits);
}

ByteRunFilter::ByteRunFilter(std::string_view text) : ByteRunFilter(text.size()) {
  add(text);
}

ByteRunFilter::ByteRunFilter(std::size_t textSize) {
  if (textSize >= minimumTextSize)
    bits_.assign(wordCount, 0);
}

void ByteRunFilter::add(std::string_view piece) {
  if (bits_.empty())
    return;
  const auto* bytes = reinterpret_cast<const unsigned char*>(piece.data());
  std::uint64_t* bits = bits_.data();
  const auto set = [bits](std::size_t bit) { bits[bit / 64] |= std::uint64_t{1} << (bit % 64); };
  std::size_t at = 0;
  std::uint32_t run = run_;
  // The text's first two bytes start no triple, and the first no pair.
  for (; at < piece.size() && seen_ < 2; ++at, ++seen_) {
    run = (run << 8) | bytes[at];
    set(bytes[at]);
    if (seen_ == 1)
      set(pairsAt + (run & 0xFFFF));
  }
  for (; at < piece.size(); ++at) {
    run = ((run << 8) | bytes[at]) & 0xFFFFFF;
    set(bytes[at]);
    set(pairsAt + (run & 0xFFFF));
    set(triplesAt + tripleSlot(run));
  }
  run_ = run & 0xFFFFFF;
}

bool ByteRunFilter::has(std::size_t bit) const {
  return (bits_[bit / 64] >> (bit % 64)) & 1;
}

bool ByteRunFilter::mayContain(std::string_view query) const {
  if (bits_.empty() || query.empty())
    return true;
  const auto* bytes = reinterpret_cast<const unsigned char*>(query.data());
  if (query.size() == 1)
    return has(bytes[0]);
  for (std::size_t i = 0; i + 1 < query.size(); ++i) {
    if (!has(pairsAt + ((std::uint32_t{bytes[i]} << 8) | bytes[i + 1])))
      return false;
  }
  for (std::size_t i = 0; i + 2 < query.size(); ++i) {
    const std::uint32_t run =
        (std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
    if (!has(triplesAt + tripleSlot(run)))
      return false;
  }
  return true;
}
