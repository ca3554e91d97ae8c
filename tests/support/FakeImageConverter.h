// A TIFF-to-PNG conversion with a scripted result.
#pragma once

#include <optional>

#include "platform/ImageConverter.h"

class FakeImageConverter : public ImageConverter {
 public:
  std::optional<Bytes> pngFromTiff(const Bytes& /*tiff*/) override { return result; }

  /// Returned for every call; nothing means the conversion fails.
  std::optional<Bytes> result;
};
