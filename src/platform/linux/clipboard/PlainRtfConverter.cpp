// A single forward pass over the bytes with an explicit group stack, so
// neither nesting nor malformed escapes can run it past the input.
#include "platform/linux/clipboard/PlainRtfConverter.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/text/HexDigit.h"

namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

// Windows-1252 0x80..0x9F; the five unassigned bytes map to themselves, as
// Windows' own conversion does.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Groups whose content is never text: tables, metadata, pictures, objects,
// page furniture and field instructions.
constexpr std::array<std::string_view, 33> skippedDestinations = {
    "annotation", "atnauthor",  "atnid",    "bkmkend",  "bkmkstart",    "colortbl",
    "datastore",  "docvar",     "filetbl",  "fldinst",  "fonttbl",      "footer",
    "footerf",    "footerl",    "footerr",  "footnote", "generator",    "header",
    "headerf",    "headerl",    "headerr",  "info",     "latentstyles", "listoverridetable",
    "listtable",  "nonshppict", "objdata",  "object",   "pict",         "revtbl",
    "rsidtbl",    "stylesheet", "themedata"};

struct WordText {
  std::string_view word;
  char32_t character;
};

constexpr std::array<WordText, 17> wordTexts = {{
    {"par", U'\n'},
    {"line", U'\n'},
    {"sect", U'\n'},
    {"page", U'\n'},
    {"row", U'\n'},
    {"tab", U'\t'},
    {"cell", U'\t'},
    {"emdash", 0x2014},
    {"endash", 0x2013},
    {"bullet", 0x2022},
    {"lquote", 0x2018},
    {"rquote", 0x2019},
    {"ldblquote", 0x201C},
    {"rdblquote", 0x201D},
    {"emspace", 0x2003},
    {"enspace", 0x2002},
    {"qmspace", 0x2005},
}};

bool isLetter(std::uint8_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(std::uint8_t c) {
  return c >= '0' && c <= '9';
}

bool isHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
    c = replacementCharacter;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

class RtfReader {
 public:
  explicit RtfReader(const Bytes& input) : input_(input) {}

  std::optional<std::string> read();

 private:
  struct Group {
    bool skipped = false;
    // Fallback characters that follow each \uN (\ucN).
    std::int64_t unicodeFallback = 1;
  };

  bool atEnd() const { return pos_ >= input_.size(); }
  void readControl();
  void controlWord(std::string_view word, bool hasParameter, std::int64_t parameter);
  void controlSymbol(std::uint8_t symbol);
  void hexCharacter();
  /// A byte of document text, in the document's code page.
  void textByte(std::uint8_t byte);
  void emit(char32_t c);
  void flushPendingSurrogate();
  bool consumeFallback();

  const Bytes& input_;
  std::size_t pos_ = 0;
  std::vector<Group> groups_;
  std::string out_;
  std::int64_t codePage_ = 1252;
  std::int64_t fallbackToSkip_ = 0;
  char32_t pendingHighSurrogate_ = 0;
};

std::optional<std::string> RtfReader::read() {
  constexpr std::string_view magic = "{\\rtf";
  if (input_.size() < magic.size() || !std::equal(magic.begin(), magic.end(), input_.begin()))
    return std::nullopt;

  while (!atEnd()) {
    const std::uint8_t byte = input_[pos_++];
    switch (byte) {
      case '{':
        if (static_cast<int>(groups_.size()) >= PlainRtfConverter::maxGroupDepth)
          return std::nullopt;
        fallbackToSkip_ = 0;
        groups_.push_back(groups_.empty() ? Group{} : groups_.back());
        break;
      case '}':
        fallbackToSkip_ = 0;
        groups_.pop_back();
        if (groups_.empty()) {
          flushPendingSurrogate();
          return std::move(out_);
        }
        break;
      case '\\':
        readControl();
        break;
      case '\r':
      case '\n':
        // Line breaks in the source are formatting of the file, not text.
        break;
      default:
        textByte(byte);
        break;
    }
  }
  return std::nullopt;
}

void RtfReader::readControl() {
  if (atEnd())
    return;
  if (!isLetter(input_[pos_])) {
    controlSymbol(input_[pos_++]);
    return;
  }
  const std::size_t wordStart = pos_;
  while (!atEnd() && isLetter(input_[pos_]))
    ++pos_;
  const std::string_view word(reinterpret_cast<const char*>(input_.data()) + wordStart,
                              pos_ - wordStart);

  bool negative = false;
  if (pos_ + 1 < input_.size() && input_[pos_] == '-' && isDigit(input_[pos_ + 1])) {
    negative = true;
    ++pos_;
  }
  bool hasParameter = false;
  std::int64_t parameter = 0;
  // Clamped rather than overflowed; no meaningful parameter is this large.
  constexpr std::int64_t parameterCap = 1'000'000'000'000;
  while (!atEnd() && isDigit(input_[pos_])) {
    hasParameter = true;
    parameter = std::min(parameter * 10 + (input_[pos_] - '0'), parameterCap);
    ++pos_;
  }
  if (negative)
    parameter = -parameter;
  // One space ends a control word and belongs to it.
  if (!atEnd() && input_[pos_] == ' ')
    ++pos_;
  controlWord(word, hasParameter, parameter);
}

void RtfReader::controlWord(std::string_view word, bool hasParameter, std::int64_t parameter) {
  Group& group = groups_.back();
  if (word == "bin") {
    // Raw binary follows; it may hold any byte, braces included.
    if (!hasParameter || parameter <= 0)
      return;
    const auto remaining = static_cast<std::int64_t>(input_.size() - pos_);
    pos_ += static_cast<std::size_t>(std::min(parameter, remaining));
    return;
  }
  if (consumeFallback())
    return;
  if (word == "u") {
    if (!hasParameter)
      return;
    // Values above 32767 are written as negative 16-bit numbers.
    const std::int64_t value = parameter < 0 ? parameter + 65536 : parameter;
    if (!group.skipped)
      emit(value >= 0 && value <= 0xFFFF ? static_cast<char32_t>(value) : replacementCharacter);
    fallbackToSkip_ = group.unicodeFallback;
    return;
  }
  if (word == "uc") {
    if (hasParameter && parameter >= 0)
      group.unicodeFallback = parameter;
    return;
  }
  if (word == "ansicpg") {
    if (hasParameter)
      codePage_ = parameter;
    return;
  }
  if (std::find(skippedDestinations.begin(), skippedDestinations.end(), word) !=
      skippedDestinations.end()) {
    group.skipped = true;
    return;
  }
  if (group.skipped)
    return;
  for (const WordText& entry : wordTexts) {
    if (entry.word == word) {
      emit(entry.character);
      return;
    }
  }
}

void RtfReader::controlSymbol(std::uint8_t symbol) {
  switch (symbol) {
    case '\'':
      hexCharacter();
      return;
    case '\\':
    case '{':
    case '}':
      textByte(symbol);
      return;
    default:
      break;
  }
  if (consumeFallback())
    return;
  Group& group = groups_.back();
  switch (symbol) {
    case '*':
      // Marks a destination that readers which do not know it must skip.
      group.skipped = true;
      return;
    case '~':
      if (!group.skipped)
        emit(0x00A0);
      return;
    case '_':
      if (!group.skipped)
        emit(0x2011);
      return;
    case '\r':
    case '\n':
      if (!group.skipped)
        emit(U'\n');
      return;
    default:
      // Optional hyphens, index sub-entries and unknown symbols show nothing.
      return;
  }
}

void RtfReader::hexCharacter() {
  int value = 0;
  for (int digit = 0; digit < 2; ++digit) {
    const int nibble = atEnd() ? -1 : hexDigitValue(input_[pos_]);
    if (nibble < 0)
      return;  // Malformed escape: dropped, the following text stays.
    value = value * 16 + nibble;
    ++pos_;
  }
  textByte(static_cast<std::uint8_t>(value));
}

void RtfReader::textByte(std::uint8_t byte) {
  if (consumeFallback() || groups_.back().skipped)
    return;
  if (byte < 0x20 && byte != '\t')
    return;
  if (byte < 0x80) {
    emit(byte);
    return;
  }
  if (codePage_ == 1252) {
    emit(byte < 0xA0 ? cp1252High[byte - 0x80] : byte);
    return;
  }
  emit(codePage_ == 28591 ? byte : replacementCharacter);
}

bool RtfReader::consumeFallback() {
  if (fallbackToSkip_ <= 0)
    return false;
  --fallbackToSkip_;
  return true;
}

void RtfReader::emit(char32_t c) {
  if (isLowSurrogate(c) && pendingHighSurrogate_ != 0) {
    appendUtf8(out_, 0x10000 + ((pendingHighSurrogate_ - 0xD800) << 10) + (c - 0xDC00));
    pendingHighSurrogate_ = 0;
    return;
  }
  flushPendingSurrogate();
  if (isHighSurrogate(c)) {
    pendingHighSurrogate_ = c;
    return;
  }
  if (c == 0)
    return;
  appendUtf8(out_, c);
}

void RtfReader::flushPendingSurrogate() {
  if (pendingHighSurrogate_ == 0)
    return;
  appendUtf8(out_, replacementCharacter);
  pendingHighSurrogate_ = 0;
}

}  // namespace

std::optional<std::string> PlainRtfConverter::plainText(const Bytes& rtf) {
  return RtfReader(rtf).read();
}
