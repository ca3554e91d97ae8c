// TIFF to PNG through AppKit's NSBitmapImageRep.
#pragma once

#include "platform/ImageConverter.h"

class MacImageConverter : public ImageConverter {
 public:
  std::optional<Bytes> pngFromTiff(const Bytes& tiff) override;
};
