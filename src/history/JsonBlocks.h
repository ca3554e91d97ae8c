// Copies the plain runs of JSON string content in blocks: the bulk of a
// history file is long texts, read and written at memory speed.
#pragma once

#include <cstddef>
#include <string_view>

namespace JsonBlocks {

/// Copies from `from` to `to` up to the first byte that a JSON string cannot
/// hold as it is (quotation mark, reverse solidus, control character, and
/// with `solidusToo` the solidus), or up to `end`; returns how many bytes
/// were copied. Blocks are stored before they are checked, so up to
/// `overrun` bytes beyond the copied ones may be written.
template <bool solidusToo>
std::size_t copyPlain(const char* from, const char* end, char* to);

inline constexpr std::size_t overrun = 16;

/// What the letter after a reverse solidus stands for; zero for "u", which
/// takes more, and for letters that make no escape.
constexpr char shortEscape(char letter) {
  switch (letter) {
    case '"':
    case '\\':
    case '/':
      return letter;
    case 'b':
      return '\b';
    case 'f':
      return '\f';
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    default:
      return '\0';
  }
}

/// How far decodePlain and matchPlain got: bytes of JSON taken, and bytes of
/// decoded text written or matched.
struct Progress {
  std::size_t read = 0;
  std::size_t decoded = 0;
};

/// Decodes the inside of a JSON string from `from` to `to`: plain bytes and
/// the two-character escapes. Stops before a quotation mark, a control
/// character, a "\u" escape, a malformed one, or one cut off by `end`.
/// Writes up to `overrun` bytes beyond the decoded ones.
Progress decodePlain(const char* from, const char* end, char* to);
/// The same, but compares the decoded bytes with `expected` instead of
/// writing them; stops also before the first part that differs from it,
/// or would run past its end.
Progress matchPlain(const char* from, const char* end, std::string_view expected);

extern template std::size_t copyPlain<true>(const char*, const char*, char*);

}  // namespace JsonBlocks
