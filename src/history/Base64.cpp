// Table-driven Base64, four characters to three bytes at a time.
#include "history/Base64.h"

#include <array>
#include <cstdint>

namespace Base64 {

namespace {

constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::uint8_t notInAlphabet = 0xFF;

constexpr std::array<std::uint8_t, 256> makeDecodeTable() {
  std::array<std::uint8_t, 256> table{};
  for (auto& value : table)
    value = notInAlphabet;
  for (std::uint8_t i = 0; i < 64; ++i)
    table[static_cast<unsigned char>(alphabet[i])] = i;
  return table;
}

constexpr std::array<std::uint8_t, 256> decodeTable = makeDecodeTable();

std::uint8_t valueOf(char c) {
  return decodeTable[static_cast<unsigned char>(c)];
}

}  // namespace

void append(std::string& out, std::span<const std::uint8_t> bytes) {
  std::size_t start = out.size();
  out.resize(start + (bytes.size() + 2) / 3 * 4);
  char* dest = out.data() + start;
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    std::uint32_t group = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
    *dest++ = alphabet[(group >> 18) & 0x3F];
    *dest++ = alphabet[(group >> 12) & 0x3F];
    *dest++ = alphabet[(group >> 6) & 0x3F];
    *dest++ = alphabet[group & 0x3F];
  }
  std::size_t rest = bytes.size() - i;
  if (rest == 0)
    return;
  std::uint32_t group = bytes[i] << 16;
  if (rest == 2)
    group |= bytes[i + 1] << 8;
  *dest++ = alphabet[(group >> 18) & 0x3F];
  *dest++ = alphabet[(group >> 12) & 0x3F];
  *dest++ = rest == 2 ? alphabet[(group >> 6) & 0x3F] : '=';
  *dest = '=';
}

std::optional<Bytes> decode(std::string_view text) {
  if (text.size() % 4 != 0)
    return std::nullopt;
  std::size_t padding = 0;
  if (!text.empty() && text.back() == '=')
    padding = text[text.size() - 2] == '=' ? 2 : 1;
  Bytes bytes;
  bytes.reserve(text.size() / 4 * 3);
  std::size_t fullEnd = text.size() - (padding > 0 ? 4 : 0);
  for (std::size_t i = 0; i < fullEnd; i += 4) {
    std::uint8_t a = valueOf(text[i]);
    std::uint8_t b = valueOf(text[i + 1]);
    std::uint8_t c = valueOf(text[i + 2]);
    std::uint8_t d = valueOf(text[i + 3]);
    if ((a | b | c | d) == notInAlphabet)
      return std::nullopt;
    std::uint32_t group = (a << 18) | (b << 12) | (c << 6) | d;
    bytes.push_back(static_cast<std::uint8_t>(group >> 16));
    bytes.push_back(static_cast<std::uint8_t>(group >> 8));
    bytes.push_back(static_cast<std::uint8_t>(group));
  }
  if (padding == 0)
    return bytes;
  // The last group: "xx==" holds one byte, "xxx=" two; the bits past them
  // must be zero, or two texts would mean the same bytes.
  std::uint8_t a = valueOf(text[fullEnd]);
  std::uint8_t b = valueOf(text[fullEnd + 1]);
  std::uint8_t c = padding == 2 ? 0 : valueOf(text[fullEnd + 2]);
  if ((a | b | c) == notInAlphabet)
    return std::nullopt;
  if (padding == 2 && (b & 0x0F) != 0)
    return std::nullopt;
  if (padding == 1 && (c & 0x03) != 0)
    return std::nullopt;
  bytes.push_back(static_cast<std::uint8_t>((a << 2) | (b >> 4)));
  if (padding == 1)
    bytes.push_back(static_cast<std::uint8_t>(((b & 0x0F) << 4) | (c >> 2)));
  return bytes;
}

}  // namespace Base64
