// SSE2 where the compiler offers it (every x86-64), eight bytes at a time
// in a machine word elsewhere.
#include "history/JsonBlocks.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace JsonBlocks {

namespace {

constexpr std::uint64_t ones = 0x0101010101010101ULL;
constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;

// High bit set in exactly the bytes of `word` that are zero; no carries
// cross byte boundaries, so every flag is exact.
constexpr std::uint64_t zeroBytesOf(std::uint64_t word) {
  return ~(((word & low7) + low7) | word | low7);
}

template <bool solidusToo>
std::uint64_t specialBytes(std::uint64_t word) {
  std::uint64_t flags = zeroBytesOf(word & (ones * 0xE0)) | zeroBytesOf(word ^ (ones * '"')) |
                        zeroBytesOf(word ^ (ones * '\\'));
  if constexpr (solidusToo)
    flags |= zeroBytesOf(word ^ (ones * '/'));
  return flags;
}

template <bool solidusToo>
bool isSpecial(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\' || (solidusToo && c == '/');
}

}  // namespace

template <bool solidusToo>
std::size_t copyPlain(const char* from, const char* end, char* to) {
  const char* const start = from;
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i lastControl = _mm_set1_epi8(0x1F);
  while (end - from >= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), block);
    __m128i special =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, quote), _mm_cmpeq_epi8(block, backslash)),
                     _mm_cmpeq_epi8(_mm_max_epu8(block, lastControl), lastControl));
    if constexpr (solidusToo)
      special = _mm_or_si128(special, _mm_cmpeq_epi8(block, _mm_set1_epi8('/')));
    if (const int mask = _mm_movemask_epi8(special)) {
      return static_cast<std::size_t>(from - start) +
             static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(mask)));
    }
    from += 16;
    to += 16;
  }
#endif
  while (end - from >= 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, from, sizeof word);
    std::memcpy(to, &word, sizeof word);
    if (const std::uint64_t flags = specialBytes<solidusToo>(word)) {
      const int bits = std::endian::native == std::endian::little ? std::countr_zero(flags)
                                                                  : std::countl_zero(flags);
      return static_cast<std::size_t>(from - start) + static_cast<std::size_t>(bits / 8);
    }
    from += 8;
    to += 8;
  }
  while (from < end && !isSpecial<solidusToo>(*from))
    *to++ = *from++;
  return static_cast<std::size_t>(from - start);
}

template std::size_t copyPlain<false>(const char*, const char*, char*);
template std::size_t copyPlain<true>(const char*, const char*, char*);

}  // namespace JsonBlocks
