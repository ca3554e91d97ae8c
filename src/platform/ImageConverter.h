// Decodes TIFF bytes and re-encodes them as PNG (NSBitmapImageRep on macOS,
// Qt's image reader on Linux).
#pragma once

#include <optional>

#include "platform/Bytes.h"

class ImageConverter {
 public:
  virtual ~ImageConverter() = default;
  /// Nothing when the bytes cannot be decoded or the PNG cannot be encoded.
  virtual std::optional<Bytes> pngFromTiff(const Bytes& tiff) = 0;
};
