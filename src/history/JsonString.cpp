// Long texts are mostly copied in bulk: a word-at-a-time scan finds the next
// byte that needs an escape, and the span before it is appended in one go.
#include "history/JsonString.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "history/Utf8.h"

namespace JsonString {

namespace {

constexpr std::uint64_t ones = 0x0101010101010101ULL;
constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;

// High bit set in exactly the bytes of `word` that are zero; no carries
// cross byte boundaries, so every flag is exact.
constexpr std::uint64_t zeroBytes(std::uint64_t word) {
  return ~(((word & low7) + low7) | word | low7);
}

// Flags the bytes that cannot stand in a JSON string as they are.
constexpr std::uint64_t bytesToEscape(std::uint64_t word) {
  return zeroBytes(word & (ones * 0xE0)) |  // below 0x20
         zeroBytes(word ^ (ones * '"')) | zeroBytes(word ^ (ones * '\\')) |
         zeroBytes(word ^ (ones * '/'));
}

std::size_t firstFlaggedByte(std::uint64_t flags) {
  if constexpr (std::endian::native == std::endian::little) {
    return static_cast<std::size_t>(std::countr_zero(flags)) / 8;
  } else {
    return static_cast<std::size_t>(std::countl_zero(flags)) / 8;
  }
}

bool needsEscape(char c) {
  auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || c == '"' || c == '\\' || c == '/';
}

// The letter after the backslash of the two-character escapes; zero for the
// bytes that need the six-character form.
constexpr std::array<char, 128> makeShortEscapes() {
  std::array<char, 128> table{};
  table['"'] = '"';
  table['\\'] = '\\';
  table['/'] = '/';
  table['\b'] = 'b';
  table['\f'] = 'f';
  table['\n'] = 'n';
  table['\r'] = 'r';
  table['\t'] = 't';
  return table;
}

constexpr std::array<char, 128> shortEscapes = makeShortEscapes();

// `c` is one of the bytes that needsEscape() flags, all below 0x80.
void appendEscape(std::string& out, char c) {
  auto byte = static_cast<unsigned char>(c);
  if (char letter = shortEscapes[byte & 0x7F]) {
    const char escape[] = {'\\', letter};
    out.append(escape, sizeof escape);
    return;
  }
  constexpr char hex[] = "0123456789abcdef";
  const char escape[] = {'\\', 'u', '0', '0', hex[byte >> 4], hex[byte & 0x0F]};
  out.append(escape, sizeof escape);
}

}  // namespace

void appendEscaped(std::string& out, std::string_view text) {
  const char* cursor = text.data();
  const char* const end = cursor + text.size();
  const char* runStart = cursor;
  while (end - cursor >= 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, cursor, sizeof word);
    std::uint64_t flags = bytesToEscape(word);
    if (flags == 0) {
      cursor += 8;
      continue;
    }
    if constexpr (std::endian::native == std::endian::little) {
      // Every flagged byte of this word, lowest address first.
      while (flags != 0) {
        const char* flagged = cursor + firstFlaggedByte(flags);
        out.append(runStart, static_cast<std::size_t>(flagged - runStart));
        appendEscape(out, *flagged);
        runStart = flagged + 1;
        flags &= flags - 1;
      }
      cursor += 8;
    } else {
      cursor += firstFlaggedByte(flags);
      out.append(runStart, static_cast<std::size_t>(cursor - runStart));
      appendEscape(out, *cursor);
      runStart = ++cursor;
    }
  }
  for (; cursor < end; ++cursor) {
    if (!needsEscape(*cursor))
      continue;
    out.append(runStart, static_cast<std::size_t>(cursor - runStart));
    appendEscape(out, *cursor);
    runStart = cursor + 1;
  }
  out.append(runStart, static_cast<std::size_t>(end - runStart));
}

void append(std::string& out, std::string_view text) {
  out += '"';
  if (Utf8::isValid(text)) {
    appendEscaped(out, text);
  } else {
    std::string repaired;
    repaired.reserve(text.size() + 16);
    Utf8::appendRepaired(repaired, text);
    appendEscaped(out, repaired);
  }
  out += '"';
}

}  // namespace JsonString
