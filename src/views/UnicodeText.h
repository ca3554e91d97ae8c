// The two pieces of Unicode text handling the popup needs, done by utf8proc:
// case folding for search and counting user-perceived characters.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace UnicodeText {

/// Maps every code point to its lower-case form (simple case mapping), so
/// "ÄBC" becomes "äbc". Bytes that are not valid UTF-8 are copied unchanged,
/// which keeps a search over them consistent on both sides.
std::string lowerCased(std::string_view text);
/// The same, without a copy: `text` is rewritten where it stands.
void lowerCaseInPlace(std::string& text);

/// Where a piece of `text` that should end at `at` ends between characters:
/// `at` moved back to the start of the character it falls in; `text.size()`
/// when `at` lies beyond.
std::size_t pieceEnd(std::string_view text, std::size_t at);
/// Lower-cases `text` as lowerCased does, 64 KiB at a time, and hands each piece to `take` until it
/// returns false. Pieces end between characters. Returns whether every character read kept the
/// length of its encoding.
bool lowerCaseInPieces(std::string_view text,
                       const std::function<bool(std::string_view piece)>& take);
/// Whether lowerCased(text) contains `query`, itself lower-cased already,
/// without making that copy. `keepsLength` (lowerCaseInPieces' answer for the
/// whole text) lets a query with an ASCII byte be found by scanning `text` in
/// place; otherwise it is lower-cased a piece at a time. Stops at the first
/// match.
bool lowerCasedContains(std::string_view text, std::string_view query, bool keepsLength);

/// The number of grapheme clusters: "e" followed by U+0301 counts once.
/// Invalid bytes count as one character each.
std::size_t characterCount(std::string_view text);

}  // namespace UnicodeText
