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

// The positions of the bytes that end a plain run, one bit per byte.
#if defined(__SSE2__)
unsigned specialMask(__m128i block) {
  const __m128i lastControl = _mm_set1_epi8(0x1F);
  const __m128i special =
      _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('"')),
                                _mm_cmpeq_epi8(block, _mm_set1_epi8('\\'))),
                   _mm_cmpeq_epi8(_mm_max_epu8(block, lastControl), lastControl));
  return static_cast<unsigned>(_mm_movemask_epi8(special));
}
#endif

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

// One loop for both: a long text is mostly plain runs broken by an escape
// every few dozen bytes (line feeds, solidi), so the escapes are taken
// where they stand instead of ending the run. `Sink` takes each decoded
// piece and says whether to go on.
template <typename Sink>
Progress decodeRuns(const char* from, const char* end, Sink&& sink) {
  Progress progress;
  const char* const start = from;
  while (true) {
    const std::size_t plain = sink.plain(from, end);
    from += plain;
    progress.decoded += plain;
    if (end - from < 2 || *from != '\\')
      break;
    const char resolved = shortEscape(from[1]);
    if (resolved == '\0' || !sink.escaped(resolved))
      break;
    from += 2;
    ++progress.decoded;
  }
  progress.read = static_cast<std::size_t>(from - start);
  return progress;
}

Progress decodePlain(const char* from, const char* end, char* to) {
  struct Writer {
    char* to;
    std::size_t plain(const char* at, const char* stop) {
      const std::size_t count = copyPlain<false>(at, stop, to);
      to += count;
      return count;
    }
    bool escaped(char c) {
      *to++ = c;
      return true;
    }
  };
  return decodeRuns(from, end, Writer{to});
}

Progress matchPlain(const char* from, const char* end, std::string_view expected) {
  struct Matcher {
    const char* expected;
    const char* expectedEnd;
    // The plain run that matches `expected`, up to where either differs.
    std::size_t plain(const char* at, const char* stop) {
      const char* const first = at;
#if defined(__SSE2__)
      while (stop - at >= 16 && expectedEnd - expected >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i want = _mm_loadu_si128(reinterpret_cast<const __m128i*>(expected));
        const unsigned differs =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, want))) ^ 0xFFFFu;
        if (const unsigned mask = specialMask(block) | differs) {
          const auto count = static_cast<std::size_t>(std::countr_zero(mask));
          at += count;
          expected += count;
          return static_cast<std::size_t>(at - first);
        }
        at += 16;
        expected += 16;
      }
#endif
      while (at < stop && expected < expectedEnd && !isSpecial<false>(*at) && *at == *expected) {
        ++at;
        ++expected;
      }
      return static_cast<std::size_t>(at - first);
    }
    bool escaped(char c) {
      if (expected == expectedEnd || *expected != c)
        return false;
      ++expected;
      return true;
    }
  };
  return decodeRuns(from, end, Matcher{expected.data(), expected.data() + expected.size()});
}
template std::size_t copyPlain<true>(const char*, const char*, char*);

}  // namespace JsonBlocks
