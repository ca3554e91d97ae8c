// The fixed start of a PNG file: the signature and the IHDR chunk. Reading it
// tells an image from anything else that an application offers under the PNG
// type, without decoding the pixels.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/Bytes.h"

struct PngHeader {
  std::uint32_t width = 0;
  std::uint32_t height = 0;

  /// The header of `data` when it starts as a PNG file must: the signature,
  /// then an IHDR chunk with a non-zero size, a valid pairing of bit depth
  /// and colour type, the only defined methods, and a matching CRC.
  static std::optional<PngHeader> parse(const Bytes& data);
};
