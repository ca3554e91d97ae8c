// Bytes that start as a PNG file does (the signature and a 4 x 4 RGB IHDR
// chunk with its CRC), padded to any size: what the capture takes for an
// image without decoding its pixels.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/Bytes.h"

inline Bytes pngOfSize(std::size_t size, std::uint8_t fill = 0) {
  static const Bytes header = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00,
                               0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00,
                               0x00, 0x04, 0x08, 0x02, 0x00, 0x00, 0x00, 0x26, 0x93, 0x09, 0x29};
  Bytes png(std::max(size, header.size()), fill);
  std::copy(header.begin(), header.end(), png.begin());
  return png;
}
