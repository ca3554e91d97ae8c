// UTF-8 checks and decoding for texts that may come from anywhere: the history
// file is checked strictly, but strings in memory can hold any bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Utf8 {

/// Marks an ill-formed sequence in `Decoded::codePoint`.
inline constexpr char32_t invalid = 0xFFFFFFFF;

struct Decoded {
  char32_t codePoint;
  /// Bytes taken; for an ill-formed sequence, its maximal well-formed prefix
  /// (at least 1), so that callers step over it the way Unicode recommends.
  std::size_t length;
};

/// True when `text` is well-formed: no overlong forms, surrogates, stray
/// continuation bytes, truncated sequences or code points past U+10FFFF.
bool isValid(std::string_view text);

/// The code point that starts at byte `pos` (which must be inside `text`).
Decoded decode(std::string_view text, std::size_t pos);

/// Appends `code point` as UTF-8; it must be a scalar value.
void append(std::string& out, char32_t codePoint);

/// Appends `text`, replacing each ill-formed sequence with U+FFFD.
void appendRepaired(std::string& out, std::string_view text);

}  // namespace Utf8
