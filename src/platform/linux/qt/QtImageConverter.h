// TIFF to PNG through Qt's image plugins (the TIFF one comes with Debian's
// qt6-image-formats-plugins).
#pragma once

#include "platform/ImageConverter.h"

class QtImageConverter : public ImageConverter {
 public:
  /// Nothing when the TIFF plugin is missing, the bytes are no readable TIFF
  /// or PNG encoding fails.
  std::optional<Bytes> pngFromTiff(const Bytes& tiff) override;
};
