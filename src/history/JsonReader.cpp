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

bool JsonReader::readString(Text& out, Text* json) {
  out.size_ = 0;
  if (peek() != '"')
    return false;
  if (json != nullptr) {
    const std::size_t length = wholeString();
    if (length == 0)
      return false;
    json->size_ = 0;
    json->reserve(length - 2);
    if (length > 2)
      std::memcpy(json->data_.get(), cursor_ + 1, length - 2);
    json->size_ = length - 2;
  }
  ++cursor_;
  return readRest(out);
}

std::size_t JsonReader::wholeString() {
  std::size_t at = 1;
  while (true) {
    const auto* quote = static_cast<const char*>(
        std::memchr(cursor_ + at, '"', static_cast<std::size_t>(end_ - cursor_) - at));
    if (quote == nullptr) {
      at = static_cast<std::size_t>(end_ - cursor_);
      if (!fill(at + 1))
        return 0;
      continue;
    }
    at = static_cast<std::size_t>(quote - cursor_);
    // Escaped when an odd number of reverse solidi stand before it; the
    // opening quotation mark ends the count.
    std::size_t solidi = 0;
    while (cursor_[at - 1 - solidi] == '\\')
      ++solidi;
    if (solidi % 2 == 0)
      return at + 1;
    ++at;
  }
}

bool JsonReader::readRest(Text& out) {
  // Decoding never lengthens: an escape stands for fewer bytes than it takes.
  constexpr std::size_t slack = JsonBlocks::overrun;
  while (true) {
    out.reserve(out.size_ + static_cast<std::size_t>(end_ - cursor_) + slack);
    const JsonBlocks::Progress plain =
        JsonBlocks::decodePlain(cursor_, end_, out.data_.get() + out.size_);
    out.size_ += plain.decoded;
    cursor_ += plain.read;
    if (cursor_ == end_) {
      if (!fill(1))
        return false;
      continue;
    }
    if (*cursor_ == '"') {
      ++cursor_;
      return Utf8::isValid(out.view());
    }
    const std::size_t length = *cursor_ == '\\' ? escape(out.data_.get() + out.size_) : 0;
    if (length == 0)
      return false;
    out.size_ += length;
  }
}

bool JsonReader::readStringComparing(std::string_view head, std::string_view tail,
                                     std::string_view tailJson, Text& out, bool& same) {
  same = false;
  if (peek() != '"')
    return false;
  // Written as the tail was: bytes compared at memory speed, no escapes
  // looked at. The tail's JSON form ends in no escaping reverse solidus,
  // so the quotation mark after it closes the string.
  const std::size_t length = 1 + head.size() + tailJson.size() + 1;
  if (fill(length) && cursor_[length - 1] == '"' &&
      std::string_view(cursor_ + 1, head.size()) == head &&
      std::string_view(cursor_ + 1 + head.size(), tailJson.size()) == tailJson) {
    cursor_ += length;
    same = true;
    return true;
  }
  ++cursor_;
  // How much of head + tail the string has matched so far.
  std::size_t matched = 0;
  const std::size_t total = head.size() + tail.size();
  const auto unmatched = [&] {
    return matched < head.size() ? head.substr(matched) : tail.substr(matched - head.size());
  };
  // Whether `bytes` come next in head + tail; only then are they counted.
  const auto compare = [&](std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const std::size_t at = matched + i;
      if (at >= total || bytes[i] != (at < head.size() ? head[at] : tail[at - head.size()]))
        return false;
    }
    matched += bytes.size();
    return true;
  };
  // From the first difference on, the string is decoded as any other, after
  // the part that matched and the `extra` bytes decoded already.
  const auto differ = [&](std::string_view extra) {
    out.size_ = 0;
    out.reserve(matched + extra.size());
    const std::size_t inHead = std::min(matched, head.size());
    char* const to = out.data_.get();
    if (inHead > 0)
      std::memcpy(to, head.data(), inHead);
    if (matched > inHead)
      std::memcpy(to + inHead, tail.data(), matched - inHead);
    if (!extra.empty())
      std::memcpy(to + matched, extra.data(), extra.size());
    out.size_ = matched + extra.size();
    return readRest(out);
  };
  while (true) {
    const std::string_view expected = unmatched();
    const JsonBlocks::Progress plain = JsonBlocks::matchPlain(cursor_, end_, expected);
    cursor_ += plain.read;
    matched += plain.decoded;
    if (plain.decoded == expected.size() && matched < total)
      continue;  // through the head: on to the tail
    if (cursor_ == end_) {
      if (!fill(1))
        return false;
      continue;
    }
    if (*cursor_ == '"' && matched == total) {
      ++cursor_;
      same = true;
      return true;
    }
    // The escapes that matchPlain leaves: "\u", and any cut off by the
    // window's end.
    if (*cursor_ == '\\' && (end_ - cursor_ < 2 || cursor_[1] == 'u')) {
      char decoded[4];
      const std::size_t length = escape(decoded);
      if (length == 0)
        return false;
      if (!compare({decoded, length}))
        return differ({decoded, length});
      continue;
    }
    // A difference, or what no string may hold.
    return differ({});
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

std::size_t JsonReader::escape(char* to) {
  if (!fill(2))
    return 0;
  const char letter = cursor_[1];
  cursor_ += 2;
  if (letter != 'u') {
    to[0] = JsonBlocks::shortEscape(letter);
    return to[0] != '\0' ? 1 : 0;
  }
  char32_t codePoint = 0;
  if (!fill(4) || !hexQuad(codePoint))
    return 0;
  if (codePoint >= 0xDC00 && codePoint <= 0xDFFF)
    return 0;
  if (codePoint >= 0xD800 && codePoint <= 0xDBFF) {
    // Only a pair of surrogates makes a character.
    char32_t low = 0;
    if (!fill(6) || cursor_[0] != '\\' || cursor_[1] != 'u')
      return 0;
    cursor_ += 2;
    if (!hexQuad(low) || low < 0xDC00 || low > 0xDFFF)
      return 0;
    codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (low - 0xDC00);
  }
  return encodeUtf8(codePoint, to);
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
