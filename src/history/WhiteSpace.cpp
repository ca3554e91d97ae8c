// Trimming on UTF-8 text, from both ends, without decoding the middle.
#include "history/WhiteSpace.h"

#include "history/Utf8.h"

namespace WhiteSpace {

namespace {

bool isContinuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The code point that ends exactly at `end`, with its start, or an invalid
// one when the bytes before `end` do not form one whole sequence.
Utf8::Decoded decodeBefore(std::string_view text, std::size_t end, std::size_t& start) {
  start = end - 1;
  while (start > 0 && end - start < 4 && isContinuation(text[start]))
    --start;
  Utf8::Decoded decoded = Utf8::decode(text.substr(0, end), start);
  if (decoded.codePoint == Utf8::invalid || start + decoded.length != end)
    return {Utf8::invalid, 1};
  return decoded;
}

}  // namespace

bool isMember(char32_t codePoint) {
  switch (codePoint) {
    case 0x0009:  // tab
    case 0x000A:  // line feed
    case 0x000B:  // vertical tab
    case 0x000C:  // form feed
    case 0x000D:  // carriage return
    case 0x0020:  // space
    case 0x0085:  // next line
    case 0x00A0:  // no-break space
    case 0x1680:  // ogham space mark
    case 0x202F:  // narrow no-break space
    case 0x205F:  // medium mathematical space
    case 0x3000:  // ideographic space
    case 0x2028:  // line separator
    case 0x2029:  // paragraph separator
      return true;
    default:
      // En quad to hair space.
      return codePoint >= 0x2000 && codePoint <= 0x200A;
  }
}

std::string_view trim(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    Utf8::Decoded decoded = Utf8::decode(text, begin);
    if (decoded.codePoint == Utf8::invalid || !isMember(decoded.codePoint))
      break;
    begin += decoded.length;
  }
  std::size_t end = text.size();
  while (end > begin) {
    std::size_t start = 0;
    Utf8::Decoded decoded = decodeBefore(text, end, start);
    if (decoded.codePoint == Utf8::invalid || !isMember(decoded.codePoint))
      break;
    end = start;
  }
  return text.substr(begin, end - begin);
}

}  // namespace WhiteSpace
