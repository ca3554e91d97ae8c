// A TIFF-to-PNG conversion with a scripted result; it records every TIFF it
// was handed.
#pragma once

#include <optional>
#include <vector>

#include "platform/ImageConverter.h"

class FakeImageConverter : public ImageConverter {
 public:
  std::optional<Bytes> pngFromTiff(const Bytes& tiff) override;

  /// Returned for every call; nothing means the conversion fails.
  std::optional<Bytes> result;
  /// The inputs, in call order.
  std::vector<Bytes> calls;
};
