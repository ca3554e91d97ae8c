// Checked byte by byte, in the order a PNG file lays its header out.
#include "capture/PngHeader.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

constexpr std::array<std::uint8_t, 8> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, chunk length, "IHDR", 13 bytes of fields and the CRC.
constexpr std::size_t headerSize = 8 + 4 + 4 + 13 + 4;
constexpr std::uint32_t maxDimension = 0x7FFFFFFF;

std::uint32_t bigEndian32(const Bytes& data, std::size_t at) {
  return static_cast<std::uint32_t>(data[at]) << 24 |
         static_cast<std::uint32_t>(data[at + 1]) << 16 |
         static_cast<std::uint32_t>(data[at + 2]) << 8 | static_cast<std::uint32_t>(data[at + 3]);
}

/// CRC-32 as PNG defines it (ISO 3309, reflected, polynomial 0xEDB88320);
/// bit by bit, since it only ever covers the 17 bytes of one chunk.
std::uint32_t crc32(const Bytes& data, std::size_t from, std::size_t to) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (std::size_t i = from; i < to; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
  }
  return crc ^ 0xFFFFFFFF;
}

bool validDepthForColourType(std::uint8_t depth, std::uint8_t colourType) {
  switch (colourType) {
    case 0:  // grey
      return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:  // palette
      return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:  // RGB
    case 4:  // grey and alpha
    case 6:  // RGB and alpha
      return depth == 8 || depth == 16;
    default:
      return false;
  }
}

}  // namespace

std::optional<PngHeader> PngHeader::parse(const Bytes& data) {
  if (data.size() < headerSize || !std::equal(signature.begin(), signature.end(), data.begin()))
    return std::nullopt;
  constexpr std::size_t type = 12;
  constexpr std::size_t fields = 16;
  if (bigEndian32(data, 8) != 13 || data[type] != 'I' || data[type + 1] != 'H' ||
      data[type + 2] != 'D' || data[type + 3] != 'R')
    return std::nullopt;
  PngHeader header{bigEndian32(data, fields), bigEndian32(data, fields + 4)};
  const std::uint8_t depth = data[fields + 8];
  const std::uint8_t colourType = data[fields + 9];
  const bool definedMethods =
      data[fields + 10] == 0 && data[fields + 11] == 0 && data[fields + 12] <= 1;
  if (header.width == 0 || header.height == 0 || header.width > maxDimension ||
      header.height > maxDimension || !validDepthForColourType(depth, colourType) ||
      !definedMethods || crc32(data, type, fields + 13) != bigEndian32(data, fields + 13))
    return std::nullopt;
  return header;
}
