// Well-formedness follows the Unicode standard's table of well-formed byte
// sequences; the bulk check uses simdjson's vectorised validator.
#include "history/Utf8.h"

#include <simdjson.h>

namespace Utf8 {

namespace {

constexpr char32_t replacement = 0xFFFD;

struct LeadRule {
  std::size_t length;
  unsigned char secondLow;
  unsigned char secondHigh;
};

// The valid range of the second byte depends on the lead byte: this rules
// out overlong forms, surrogates and values past U+10FFFF.
LeadRule leadRule(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF)
    return {2, 0x80, 0xBF};
  if (lead == 0xE0)
    return {3, 0xA0, 0xBF};
  if (lead == 0xED)
    return {3, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF)
    return {3, 0x80, 0xBF};
  if (lead == 0xF0)
    return {4, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3)
    return {4, 0x80, 0xBF};
  if (lead == 0xF4)
    return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

}  // namespace

bool isValid(std::string_view text) {
  return simdjson::validate_utf8(text.data(), text.size());
}

Decoded decode(std::string_view text, std::size_t pos) {
  auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80)
    return {lead, 1};
  LeadRule rule = leadRule(lead);
  if (rule.length == 0)
    return {invalid, 1};
  char32_t codePoint = lead & (0xFF >> (rule.length + 1));
  for (std::size_t i = 1; i < rule.length; ++i) {
    if (pos + i >= text.size())
      return {invalid, i};
    auto byte = static_cast<unsigned char>(text[pos + i]);
    unsigned char low = i == 1 ? rule.secondLow : 0x80;
    unsigned char high = i == 1 ? rule.secondHigh : 0xBF;
    if (byte < low || byte > high)
      return {invalid, i};
    codePoint = (codePoint << 6) | (byte & 0x3F);
  }
  return {codePoint, rule.length};
}

void append(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

void appendRepaired(std::string& out, std::string_view text) {
  std::size_t runStart = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    Decoded decoded = decode(text, pos);
    if (decoded.codePoint != invalid) {
      pos += decoded.length;
      continue;
    }
    out.append(text.data() + runStart, pos - runStart);
    append(out, replacement);
    pos += decoded.length;
    runStart = pos;
  }
  out.append(text.data() + runStart, text.size() - runStart);
}

}  // namespace Utf8
