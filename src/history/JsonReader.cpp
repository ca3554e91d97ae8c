// Strings, the bulk of a history file, are copied in blocks up to the next
// quotation mark, reverse solidus or control character. UTF-8 is checked once per
// string on the decoded result; escapes only ever add whole, valid sequences,
// so that check covers the raw bytes too.
#include "history/JsonReader.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "history/JsonBlocks.h"
#include "history/Utf8.h"
#include "platform/FileReader.h"
#include "platform/text/HexDigit.h"

namespace {

// A read asks for this much at least; a window grows beyond only when one
// token needs more.
constexpr std::size_t readSize = 1 << 20;
// Deeper nesting is refused rather than risking the stack on a crafted file.
constexpr int maxDepth = 1024;

// Appends `codePoint`, a scalar value, as UTF-8; `to` has room for four bytes.
std::size_t encodeUtf8(char32_t codePoint, char* to) {
  auto byte = [](char32_t bits) { return static_cast<char>(bits); };
  if (codePoint < 0x80) {
    to[0] = byte(codePoint);
    return 1;
  }
  if (codePoint < 0x800) {
    to[0] = byte(0xC0 | codePoint >> 6);
    to[1] = byte(0x80 | (codePoint & 0x3F));
    return 2;
  }
  if (codePoint < 0x10000) {
    to[0] = byte(0xE0 | codePoint >> 12);
    to[1] = byte(0x80 | (codePoint >> 6 & 0x3F));
    to[2] = byte(0x80 | (codePoint & 0x3F));
    return 3;
  }
  to[0] = byte(0xF0 | codePoint >> 18);
  to[1] = byte(0x80 | (codePoint >> 12 & 0x3F));
  to[2] = byte(0x80 | (codePoint >> 6 & 0x3F));
  to[3] = byte(0x80 | (codePoint & 0x3F));
  return 4;
}

bool isWhiteSpace(char c) {
  return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

char shortEscape(char letter) {
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

// The grammar of a JSON number; an integer must also fit in 64 bits.
bool isNumber(std::string_view text) {
  std::size_t i = text.starts_with('-') ? 1 : 0;
  auto digits = [&] {
    const std::size_t start = i;
    while (i < text.size() && isDigit(text[i]))
      ++i;
    return i > start;
  };
  const std::size_t intStart = i;
  if (!digits() || (text[intStart] == '0' && i - intStart > 1))
    return false;
  const bool integer = i == text.size();
  if (i < text.size() && text[i] == '.') {
    ++i;
    if (!digits())
      return false;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      ++i;
    if (!digits())
      return false;
  }
  if (i != text.size())
    return false;
  if (!integer)
    return true;
  const char* first = text.data();
  const char* last = first + text.size();
  std::uint64_t unsignedValue = 0;
  std::int64_t signedValue = 0;
  return text.starts_with('-') ? std::from_chars(first, last, signedValue).ec == std::errc()
                               : std::from_chars(first, last, unsignedValue).ec == std::errc();
}

}  // namespace

JsonReader::JsonReader(std::string_view text)
    : cursor_(text.data()), end_(text.data() + text.size()), endOfFile_(true) {}

JsonReader::JsonReader(FileReader& file, std::string& window)
    : cursor_(window.data()), end_(window.data()), file_(&file), window_(&window) {}

bool JsonReader::fill(std::size_t count) {
  std::size_t have = static_cast<std::size_t>(end_ - cursor_);
  if (have >= count)
    return true;
  if (endOfFile_)
    return false;
  std::string& window = *window_;
  // The unread rest moves to the front; the window grows only for a token
  // longer than a read.
  std::memmove(window.data(), cursor_, have);
  if (window.size() < count + readSize)
    window.resize(count + readSize);
  while (have < count && !endOfFile_) {
    std::optional<std::size_t> got = file_->read(window.data() + have, window.size() - have);
    if (!got) {
      readFailed_ = true;
      endOfFile_ = true;
    } else if (*got == 0) {
      endOfFile_ = true;
    }
    have += got.value_or(0);
  }
  cursor_ = window.data();
  end_ = cursor_ + have;
  return have >= count;
}

char JsonReader::peek() {
  while (true) {
    while (cursor_ < end_ && isWhiteSpace(*cursor_))
      ++cursor_;
    if (cursor_ < end_)
      return *cursor_;
    if (!fill(1))
      return '\0';
  }
}

bool JsonReader::empty() {
  return !fill(1) && !readFailed_;
}

bool JsonReader::atEnd() {
  return peek() == '\0' && cursor_ == end_;
}

bool JsonReader::take(char c) {
  if (peek() != c || cursor_ == end_)
    return false;
  ++cursor_;
  return true;
}

bool JsonReader::literal(std::string_view word) {
  if (!fill(word.size()) || std::string_view(cursor_, word.size()) != word)
    return false;
  cursor_ += word.size();
  return true;
}

bool JsonReader::takeNull() {
  return peek() == 'n' && literal("null");
}

bool JsonReader::readBool(bool& out) {
  const char next = peek();
  out = next == 't';
  return out ? literal("true") : next == 'f' && literal("false");
}

void JsonReader::Text::reserve(std::size_t size) {
  if (size <= capacity_)
    return;
  const std::size_t capacity = std::max(size, 2 * capacity_);
  // Left uninitialised: every byte is written before it is read.
  std::unique_ptr<char[]> grown(new char[capacity]);
  if (size_ > 0)
    std::memcpy(grown.get(), data_.get(), size_);
  data_ = std::move(grown);
  capacity_ = capacity;
}

bool JsonReader::readString(Text& out) {
  out.size_ = 0;
  if (!take('"'))
    return false;
  // Decoding never lengthens: an escape stands for fewer bytes than it takes.
  constexpr std::size_t slack = 16;
  while (true) {
    out.reserve(out.size_ + static_cast<std::size_t>(end_ - cursor_) + slack);
    const std::size_t plain =
        JsonBlocks::copyPlain<false>(cursor_, end_, out.data_.get() + out.size_);
    out.size_ += plain;
    cursor_ += plain;
    if (cursor_ == end_) {
      if (!fill(1))
        return false;
      continue;
    }
    if (*cursor_ == '"') {
      ++cursor_;
      return Utf8::isValid(out.view());
    }
    if (*cursor_ != '\\' || !escape(out))
      return false;
  }
}

bool JsonReader::hexQuad(char32_t& value) {
  value = 0;
  for (int i = 0; i < 4; ++i) {
    const int digit = hexDigitValue(cursor_[i]);
    if (digit < 0)
      return false;
    value = value << 4 | static_cast<char32_t>(digit);
  }
  cursor_ += 4;
  return true;
}

bool JsonReader::escape(Text& out) {
  if (!fill(2))
    return false;
  const char letter = cursor_[1];
  cursor_ += 2;
  if (letter != 'u') {
    const char resolved = shortEscape(letter);
    out.data_[out.size_++] = resolved;
    return resolved != '\0';
  }
  char32_t codePoint = 0;
  if (!fill(4) || !hexQuad(codePoint))
    return false;
  if (codePoint >= 0xDC00 && codePoint <= 0xDFFF)
    return false;
  if (codePoint >= 0xD800 && codePoint <= 0xDBFF) {
    // Only a pair of surrogates makes a character.
    char32_t low = 0;
    if (!fill(6) || cursor_[0] != '\\' || cursor_[1] != 'u')
      return false;
    cursor_ += 2;
    if (!hexQuad(low) || low < 0xDC00 || low > 0xDFFF)
      return false;
    codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (low - 0xDC00);
  }
  out.size_ += encodeUtf8(codePoint, out.data_.get() + out.size_);
  return true;
}

bool JsonReader::number() {
  std::string text;
  while (fill(1) &&
         (isDigit(*cursor_) || std::string_view("+-.eE").find(*cursor_) != std::string_view::npos))
    text += *cursor_++;
  return isNumber(text);
}

bool JsonReader::skipValue() {
  return skipValue(0);
}

bool JsonReader::skipValue(int depth) {
  const char next = peek();
  if (next == '"')
    return readString(skipped_);
  if (next == '[' || next == '{') {
    const char close = next == '[' ? ']' : '}';
    ++cursor_;
    if (++depth > maxDepth)
      return false;
    if (take(close))
      return true;
    do {
      if (close == '}' && (!readString(skipped_) || !take(':')))
        return false;
      if (!skipValue(depth))
        return false;
    } while (take(','));
    return take(close);
  }
  if (next == 't')
    return literal("true");
  if (next == 'f')
    return literal("false");
  if (next == 'n')
    return literal("null");
  return (next == '-' || isDigit(next)) && number();
}
