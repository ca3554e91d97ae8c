// Lower-casing and grapheme counting over UTF-8, through utf8proc.
#include "views/UnicodeText.h"

#include <utf8proc.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace {

const utf8proc_uint8_t* bytesOf(std::string_view text) {
  return reinterpret_cast<const utf8proc_uint8_t*>(text.data());
}

constexpr std::uint64_t eachByte(std::uint64_t value) {
  return value * 0x0101010101010101ULL;
}

// Lower-cases eight bytes at once when all are ASCII; returns false, leaving
// them alone, otherwise. Each byte stays below 0x80 through the additions, so
// no carry crosses into its neighbour.
bool lowerAsciiWord(char* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof word);
  if ((word & eachByte(0x80)) != 0)
    return false;
  const std::uint64_t atLeastA = word + eachByte(0x80 - 'A');
  const std::uint64_t beyondZ = word + eachByte(0x80 - 'Z' - 1);
  const std::uint64_t upper = atLeastA & ~beyondZ & eachByte(0x80);
  word |= upper >> 2;  // 0x80 >> 2 is the case bit, 0x20
  std::memcpy(at, &word, sizeof word);
  return true;
}

// The lower-case encoding of the code point at the start of `text`, or -1
// when it is not valid UTF-8; `length` receives its own encoded length.
utf8proc_ssize_t lowerCodePoint(std::string_view text, utf8proc_uint8_t (&encoded)[4],
                                std::size_t& length) {
  utf8proc_int32_t codePoint = 0;
  const utf8proc_ssize_t read =
      utf8proc_iterate(bytesOf(text), static_cast<utf8proc_ssize_t>(text.size()), &codePoint);
  if (read <= 0)
    return -1;
  length = static_cast<std::size_t>(read);
  return utf8proc_encode_char(utf8proc_tolower(codePoint), encoded);
}

// Writes `text` lower-cased to `out`, which has room for one and a half
// times its size plus eight bytes (no character's encoding grows more), and
// returns the bytes written. `keptLength` turns false when an encoding
// changed length.
std::size_t lowerInto(std::string_view text, char* out, bool& keptLength) {
  std::size_t at = 0;
  std::size_t written = 0;
  while (at < text.size()) {
    if (at + 8 <= text.size()) {
      std::memcpy(out + written, text.data() + at, 8);
      if (lowerAsciiWord(out + written)) {
        at += 8;
        written += 8;
        continue;
      }
    }
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
      out[written++] = static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte);
      ++at;
      continue;
    }
    utf8proc_uint8_t encoded[4];
    std::size_t length = 0;
    const utf8proc_ssize_t size = lowerCodePoint(text.substr(at), encoded, length);
    if (size < 0) {
      out[written++] = text[at];  // invalid bytes stay as they are
      ++at;
      continue;
    }
    std::memcpy(out + written, encoded, static_cast<std::size_t>(size));
    keptLength = keptLength && static_cast<std::size_t>(size) == length;
    written += static_cast<std::size_t>(size);
    at += length;
  }
  return written;
}

// Appends `text` lower-cased to `out`.
void appendLowerCased(std::string_view text, std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + text.size() + text.size() / 2 + 8);
  bool keptLength = true;
  out.resize(start + lowerInto(text, out.data() + start, keptLength));
}

bool isContinuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Sixteen bytes compared at once through the compiler's portable vector
// types (SSE2 on x86, NEON on Arm).
using ByteVector = unsigned char __attribute__((vector_size(16)));

ByteVector loadVector(const char* at) {
  ByteVector vector;
  std::memcpy(&vector, at, sizeof vector);
  return vector;
}

bool anySet(const ByteVector& mask) {
  std::uint64_t halves[2];
  std::memcpy(halves, &mask, sizeof halves);
  return (halves[0] | halves[1]) != 0;
}

ByteVector repeated(char byte) {
  ByteVector vector;
  for (std::size_t k = 0; k < sizeof vector; ++k)
    vector[k] = static_cast<unsigned char>(byte);
  return vector;
}

// Whether `text` contains `query`, byte for byte. A multi-megabyte text is
// scanned for positions whose first and last bytes both fit the query,
// sixteen positions per step, and only those are compared in full; that
// keeps even a query made of common letters fast.
bool containsBytes(std::string_view text, std::string_view query) {
  const std::size_t size = query.size();
  if (size == 0)
    return true;
  if (size > text.size())
    return false;
  if (size == 1)
    return text.find(query[0]) != std::string_view::npos;
  const ByteVector first = repeated(query[0]);
  const ByteVector last = repeated(query[size - 1]);
  const char* data = text.data();
  std::size_t at = 0;
  for (; at + size - 1 + sizeof(ByteVector) <= text.size(); at += sizeof(ByteVector)) {
    const auto match =
        (loadVector(data + at) == first) & (loadVector(data + at + size - 1) == last);
    if (!anySet(reinterpret_cast<const ByteVector&>(match)))
      continue;
    for (std::size_t k = 0; k < sizeof(ByteVector); ++k) {
      if (match[k] != 0 && std::memcmp(data + at + k + 1, query.data() + 1, size - 2) == 0)
        return true;
    }
  }
  return text.substr(at).find(query) != std::string_view::npos;
}

// Whether `text` lower-cased, read from `at` (where a character starts, or
// no match can start), begins with `query`.
bool lowerCasedStartsWith(std::string_view text, std::size_t at, std::string_view query) {
  std::size_t matched = 0;
  while (matched < query.size()) {
    if (at >= text.size())
      return false;
    const auto byte = static_cast<unsigned char>(text[at]);
    utf8proc_uint8_t encoded[4] = {byte};
    std::size_t length = 1;
    utf8proc_ssize_t size = 1;
    if (byte >= 0x80) {
      size = lowerCodePoint(text.substr(at), encoded, length);
      if (size < 0) {
        size = 1;
        length = 1;
      }
    } else if (byte >= 'A' && byte <= 'Z') {
      encoded[0] = byte + ('a' - 'A');
    }
    const std::size_t compared = std::min(static_cast<std::size_t>(size), query.size() - matched);
    if (std::memcmp(encoded, query.data() + matched, compared) != 0)
      return false;
    matched += compared;
    at += length;
  }
  return true;
}

// The scan for texts whose lower-casing keeps every length, so that their
// ASCII bytes stand where the lower-cased text has its ASCII bytes: the
// positions whose bytes, ASCII-lowered, fit the query's first and last ASCII
// bytes are checked in full.
bool containsInPlace(std::string_view text, std::string_view query, std::size_t first,
                     std::size_t last) {
  const std::size_t size = query.size();
  if (size > text.size())
    return false;
  // A letter is found in either case by setting the case bit first; any
  // other ASCII byte only as itself.
  const auto caseBit = [](char byte) -> char { return byte >= 'a' && byte <= 'z' ? 0x20 : 0; };
  const ByteVector firstBytes = repeated(query[first]);
  const ByteVector lastBytes = repeated(query[last]);
  const ByteVector firstCase = repeated(caseBit(query[first]));
  const ByteVector lastCase = repeated(caseBit(query[last]));
  const char* data = text.data();
  const std::size_t end = text.size() - size + 1;  // candidate starts lie below
  std::size_t at = 0;
  const auto matchAt = [&](std::size_t start) {
    return reinterpret_cast<ByteVector>(
        ((loadVector(data + start + first) | firstCase) == firstBytes) &
        ((loadVector(data + start + last) | lastCase) == lastBytes));
  };
  // Four vectors a step: one test for all of them keeps the loop at the
  // speed of memory.
  constexpr std::size_t step = 4 * sizeof(ByteVector);
  for (; at + step <= end; at += step) {
    const ByteVector matches[4] = {matchAt(at), matchAt(at + 16), matchAt(at + 32),
                                   matchAt(at + 48)};
    if (!anySet(matches[0] | matches[1] | matches[2] | matches[3]))
      continue;
    for (std::size_t k = 0; k < step; ++k) {
      if (matches[k / 16][k % 16] != 0 && lowerCasedStartsWith(text, at + k, query))
        return true;
    }
  }
  const char firstCaseBit = caseBit(query[first]);
  const char lastCaseBit = caseBit(query[last]);
  for (; at < end; ++at) {
    if ((data[at + first] | firstCaseBit) == query[first] &&
        (data[at + last] | lastCaseBit) == query[last] && lowerCasedStartsWith(text, at, query))
      return true;
  }
  return false;
}

// 0x80 in each byte of `word` (all ASCII) that equals `byte`, 0 elsewhere.
std::uint64_t bytesEqualTo(std::uint64_t word, unsigned char byte) {
  const std::uint64_t differs = (word ^ eachByte(byte)) + eachByte(0x7F);
  return ~differs & eachByte(0x80);
}

// Whether a grapheme cluster always ends before and after `codePoint`: no
// rule joins it to a neighbour (only CR LF, both of which are such
// characters, is an exception handled by the caller).
bool standsAloneByProperty(utf8proc_int32_t codePoint) {
  switch (utf8proc_get_property(codePoint)->boundclass) {
    case UTF8PROC_BOUNDCLASS_OTHER:
    case UTF8PROC_BOUNDCLASS_CONTROL:
    case UTF8PROC_BOUNDCLASS_CR:
    case UTF8PROC_BOUNDCLASS_LF:
      return true;
    default:
      return false;
  }
}

// The same, answered for the Basic Multilingual Plane from a bit set made
// once (8 KiB), since long texts ask for the same letters again and again.
bool standsAlone(utf8proc_int32_t codePoint) {
  static const std::vector<std::uint64_t> plane = [] {
    std::vector<std::uint64_t> bits(0x10000 / 64);
    for (utf8proc_int32_t point = 0; point < 0x10000; ++point) {
      if (standsAloneByProperty(point))
        bits[static_cast<std::size_t>(point) / 64] |= std::uint64_t{1} << (point % 64);
    }
    return bits;
  }();
  if (codePoint >= 0x10000)
    return standsAloneByProperty(codePoint);
  return (plane[static_cast<std::size_t>(codePoint) / 64] >> (codePoint % 64) & 1) != 0;
}

// Decodes the code point at `bytes`, as utf8proc_iterate does, with the
// common two- and three-byte forms taken inline; the length, or -1 when the
// bytes are not valid UTF-8.
utf8proc_ssize_t decode(const utf8proc_uint8_t* bytes, utf8proc_ssize_t size,
                        utf8proc_int32_t& codePoint) {
  const auto continues = [bytes, size](utf8proc_ssize_t at) {
    return at < size && (bytes[at] & 0xC0) == 0x80;
  };
  if (bytes[0] >= 0xC2 && bytes[0] <= 0xDF && continues(1)) {
    codePoint = ((bytes[0] & 0x1F) << 6) | (bytes[1] & 0x3F);
    return 2;
  }
  if ((bytes[0] & 0xF0) == 0xE0 && continues(1) && continues(2)) {
    codePoint = ((bytes[0] & 0x0F) << 12) | ((bytes[1] & 0x3F) << 6) | (bytes[2] & 0x3F);
    if (codePoint >= 0x800 && (codePoint < 0xD800 || codePoint > 0xDFFF))
      return 3;
  }
  return utf8proc_iterate(bytes, size, &codePoint);
}

}  // namespace

namespace UnicodeText {

void lowerCaseInPlace(std::string& text) {
  std::size_t at = 0;
  while (at < text.size()) {
    if (at + 8 <= text.size() && lowerAsciiWord(text.data() + at)) {
      at += 8;
      continue;
    }
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
      if (byte >= 'A' && byte <= 'Z')
        text[at] = static_cast<char>(byte + ('a' - 'A'));
      ++at;
      continue;
    }
    utf8proc_uint8_t encoded[4];
    std::size_t length = 0;
    const utf8proc_ssize_t written =
        lowerCodePoint(std::string_view(text).substr(at), encoded, length);
    if (written < 0) {
      ++at;  // invalid bytes stay as they are
      continue;
    }
    if (static_cast<std::size_t>(written) != length) {
      // A few letters change their encoded length: rebuild the rest once.
      std::string rest;
      rest.reserve(text.size() - at + 16);
      appendLowerCased(std::string_view(text).substr(at), rest);
      text.resize(at);
      text += rest;
      return;
    }
    std::memcpy(text.data() + at, encoded, length);
    at += length;
  }
}

std::size_t pieceEnd(std::string_view text, std::size_t at) {
  if (at >= text.size())
    return text.size();
  // After four continuation bytes in a row no valid character spans the cut.
  std::size_t cut = at;
  for (int back = 0; back < 3 && cut > 0 && isContinuation(text[cut]); ++back)
    --cut;
  return isContinuation(text[cut]) ? at : cut;
}

bool lowerCaseInPieces(std::string_view text,
                       const std::function<bool(std::string_view piece)>& take) {
  constexpr std::size_t pieceBytes = std::size_t{1} << 16;
  const std::size_t largest = std::min(text.size(), pieceBytes);
  std::string buffer(largest + largest / 2 + 8, '\0');
  bool keptLength = true;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = pieceEnd(text, at + pieceBytes);
    const std::size_t size = lowerInto(text.substr(at, end - at), buffer.data(), keptLength);
    if (!take(std::string_view(buffer.data(), size)))
      break;
    at = end;
  }
  return keptLength;
}

bool lowerCasedContains(std::string_view text, std::string_view query, bool keepsLength) {
  if (query.empty())
    return true;
  const auto ascii = [](char byte) { return static_cast<unsigned char>(byte) < 0x80; };
  const auto first = std::find_if(query.begin(), query.end(), ascii);
  if (keepsLength && first != query.end() && !isContinuation(query[0])) {
    const auto last = std::find_if(query.rbegin(), query.rend(), ascii);
    return containsInPlace(text, query, static_cast<std::size_t>(first - query.begin()),
                           query.size() - 1 - static_cast<std::size_t>(last - query.rbegin()));
  }
  // Otherwise lower-case a piece at a time; a match may straddle two pieces.
  std::string tail;
  bool found = false;
  lowerCaseInPieces(text, [&](std::string_view piece) {
    if (!tail.empty()) {
      const std::string joint = tail + std::string(piece.substr(0, query.size() - 1));
      found = joint.find(query) != std::string::npos;
    }
    found = found || containsBytes(piece, query);
    tail += piece.substr(piece.size() - std::min(piece.size(), query.size() - 1));
    tail.erase(0, tail.size() - std::min(tail.size(), query.size() - 1));
    return !found;
  });
  return found;
}

std::string lowerCased(std::string_view text) {
  std::string result(text);
  lowerCaseInPlace(result);
  return result;
}
std::size_t characterCount(std::string_view text) {
  const utf8proc_uint8_t* bytes = bytesOf(text);
  const auto size = static_cast<utf8proc_ssize_t>(text.size());
  std::size_t count = 0;
  utf8proc_int32_t state = 0;
  utf8proc_int32_t previous = -1;
  bool previousAlone = true;
  utf8proc_ssize_t at = 0;
  while (at < size) {
    if (previousAlone && at + 8 <= size) {
      // The ASCII bytes that open the next eight, after a character that
      // stands alone: a break before each except a line feed that follows a
      // carriage return.
      std::uint64_t word = 0;
      std::memcpy(&word, bytes + at, sizeof word);
      const std::uint64_t high = word & eachByte(0x80);
      const int ascii = high == 0 ? 8 : std::countr_zero(high) / 8;
      if (ascii > 0) {
        if (ascii < 8)
          word &= (std::uint64_t{1} << (8 * ascii)) - 1;
        const std::uint64_t pairs =
            (bytesEqualTo(word, '\r') << 8 | (previous == '\r' ? 0x80 : 0)) &
            bytesEqualTo(word, '\n');
        count += static_cast<std::size_t>(ascii) -
                 static_cast<std::size_t>(((pairs >> 7) * eachByte(1)) >> 56);
        previous = bytes[at + ascii - 1];
        at += ascii;
        continue;
      }
    }
    utf8proc_int32_t codePoint = bytes[at];
    utf8proc_ssize_t length = 1;
    if (codePoint >= 0x80)
      length = decode(bytes + at, size - at, codePoint);
    if (length <= 0) {
      // An invalid byte stands alone and breaks any cluster around it.
      ++count;
      previous = -1;
      previousAlone = true;
      state = 0;
      ++at;
      continue;
    }
    const bool alone = standsAlone(codePoint);
    if (alone && previousAlone) {
      if (previous != '\r' || codePoint != '\n')
        ++count;
    } else {
      // Rules that look further back never reach past a character that
      // stands alone, so the state can start afresh from it.
      if (previousAlone)
        state = 0;
      if (previous < 0 || utf8proc_grapheme_break_stateful(previous, codePoint, &state))
        ++count;
    }
    previous = codePoint;
    previousAlone = alone;
    at += length;
  }
  return count;
}

}  // namespace UnicodeText
