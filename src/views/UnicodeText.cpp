// Lower-casing and grapheme counting over UTF-8, through utf8proc.
#include "views/UnicodeText.h"

#include <utf8proc.h>

#include <cstdint>
#include <cstring>

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

// Appends `text` lower-cased to `out`.
void appendLowerCased(std::string_view text, std::string& out) {
  std::size_t at = 0;
  while (at < text.size()) {
    if (at + 8 <= text.size()) {
      char word[8];
      std::memcpy(word, text.data() + at, sizeof word);
      if (lowerAsciiWord(word)) {
        out.append(word, sizeof word);
        at += 8;
        continue;
      }
    }
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
      out.push_back(static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte));
      ++at;
      continue;
    }
    utf8proc_uint8_t encoded[4];
    std::size_t length = 0;
    const utf8proc_ssize_t written = lowerCodePoint(text.substr(at), encoded, length);
    if (written < 0) {
      out.push_back(text[at]);  // invalid bytes stay as they are
      ++at;
      continue;
    }
    out.append(reinterpret_cast<const char*>(encoded), static_cast<std::size_t>(written));
    at += length;
  }
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
  utf8proc_ssize_t at = 0;
  while (at < size) {
    utf8proc_int32_t codePoint = 0;
    utf8proc_ssize_t length = utf8proc_iterate(bytes + at, size - at, &codePoint);
    if (length <= 0) {
      // An invalid byte stands alone and breaks any cluster around it.
      ++count;
      previous = -1;
      state = 0;
      ++at;
      continue;
    }
    if (previous < 0 || utf8proc_grapheme_break_stateful(previous, codePoint, &state))
      ++count;
    previous = codePoint;
    at += length;
  }
  return count;
}

}  // namespace UnicodeText
