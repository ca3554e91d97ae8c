// Presence bits of each byte pair and of a hash of each byte triple.
#include "views/ByteRunFilter.h"

namespace {

// Two bit sets, one after the other: each byte pair, then the triples' hash
// slots. Each byte is known from the pairs it begins, and the last byte,
// which begins none, from `run_`. (A bit set of the bytes themselves would
// be written on nearly every byte, a few words over and over, which stalls
// each write on the one before.)
constexpr std::size_t pairBits = std::size_t{1} << 16;
constexpr std::uint32_t tripleSlotBits = 16;
constexpr std::size_t triplesAt = pairBits;
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
  // The text's first byte ends no pair, and its second no triple.
  for (; at < piece.size() && seen_ < 2; ++at, ++seen_) {
    run = (run << 8) | bytes[at];
    if (seen_ == 1)
      set(run & 0xFFFF);
  }
  for (; at < piece.size(); ++at) {
    run = ((run << 8) | bytes[at]) & 0xFFFFFF;
    set(run & 0xFFFF);
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
  if (query.size() == 1) {
    // The 256 pairs it begins are four words.
    const std::uint64_t* row = bits_.data() + std::size_t{bytes[0]} * 256 / 64;
    return (row[0] | row[1] | row[2] | row[3]) != 0 || (seen_ > 0 && (run_ & 0xFF) == bytes[0]);
  }
  for (std::size_t i = 0; i + 1 < query.size(); ++i) {
    if (!has((std::uint32_t{bytes[i]} << 8) | bytes[i + 1]))
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
