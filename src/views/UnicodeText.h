// The two pieces of Unicode text handling the popup needs, done by utf8proc:
// case folding for search and counting user-perceived characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace UnicodeText {

/// Maps every code point to its lower-case form (simple case mapping), so
/// "ÄBC" becomes "äbc". Bytes that are not valid UTF-8 are copied unchanged,
/// which keeps a search over them consistent on both sides.
std::string lowerCased(std::string_view text);
/// The same, without a copy: `text` is rewritten where it stands.
void lowerCaseInPlace(std::string& text);

/// The number of grapheme clusters: "e" followed by U+0301 counts once.
/// Invalid bytes count as one character each.
std::size_t characterCount(std::string_view text);

}  // namespace UnicodeText
