// Lower-casing and grapheme counting over UTF-8, through utf8proc.
#include "views/UnicodeText.h"

#include <utf8proc.h>

namespace {

const utf8proc_uint8_t* bytesOf(std::string_view text) {
  return reinterpret_cast<const utf8proc_uint8_t*>(text.data());
}

}  // namespace

namespace UnicodeText {

std::string lowerCased(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  const utf8proc_uint8_t* bytes = bytesOf(text);
  const auto size = static_cast<utf8proc_ssize_t>(text.size());
  utf8proc_ssize_t at = 0;
  while (at < size) {
    const unsigned char byte = bytes[at];
    // Most text is ASCII; keep utf8proc for the rest.
    if (byte < 0x80) {
      result.push_back(static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte));
      ++at;
      continue;
    }
    utf8proc_int32_t codePoint = 0;
    const utf8proc_ssize_t length = utf8proc_iterate(bytes + at, size - at, &codePoint);
    if (length <= 0) {
      result.push_back(static_cast<char>(byte));
      ++at;
      continue;
    }
    utf8proc_uint8_t encoded[4];
    const utf8proc_ssize_t written = utf8proc_encode_char(utf8proc_tolower(codePoint), encoded);
    result.append(reinterpret_cast<const char*>(encoded), static_cast<std::size_t>(written));
    at += length;
  }
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
