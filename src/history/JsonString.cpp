// Long texts are mostly copied in bulk: runs without a byte that needs an
// escape are copied in blocks straight into the output.
#include "history/JsonString.h"

#include <array>
#include <cstring>

#include "history/JsonBlocks.h"
#include "history/Utf8.h"

namespace JsonString {

namespace {

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

// The longest escape, "\u00XX".
constexpr std::size_t maxEscape = 6;

// Writes the escape of `c`, a byte that copyPlain stopped at, and returns
// its length.
std::size_t writeEscape(char* to, char c) {
  auto byte = static_cast<unsigned char>(c);
  to[0] = '\\';
  if (char letter = shortEscapes[byte & 0x7F]) {
    to[1] = letter;
    return 2;
  }
  constexpr char hex[] = "0123456789abcdef";
  const char escape[] = {'u', '0', '0', hex[byte >> 4], hex[byte & 0x0F]};
  std::memcpy(to + 1, escape, sizeof escape);
  return 1 + sizeof escape;
}

}  // namespace

void appendEscaped(std::string& out, std::string_view text) {
  // Sized up front for a text with an escape in every eight bytes (prose has
  // far fewer), and grown to the worst case only when that runs out.
  const char* from = text.data();
  const char* const end = from + text.size();
  std::size_t at = out.size();
  out.resize(at + text.size() + text.size() / 8 + JsonBlocks::overrun);
  while (true) {
    const std::size_t plain = JsonBlocks::copyPlain<true>(from, end, out.data() + at);
    at += plain;
    from += plain;
    if (from == end)
      break;
    const auto left = static_cast<std::size_t>(end - from);
    if (out.size() - at < left + maxEscape + JsonBlocks::overrun)
      out.resize(at + maxEscape * (left + 1) + JsonBlocks::overrun);
    at += writeEscape(out.data() + at, *from++);
  }
  out.resize(at);
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
