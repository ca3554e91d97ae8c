// An image the window system draws, as AppKit's NSImage.
#pragma once

#include <memory>

#include "platform/Image.h"
#include "platform/mac/AppKitImage.h"

class MacImage : public Image {
 public:
  explicit MacImage(std::unique_ptr<AppKitImage> image);

  void setTemplate(bool isTemplate) override;
  void setSize(Size2D size) override;

  /// For the AppKit code that draws it.
  AppKitImage& appKitImage() { return *image_; }

 private:
  std::unique_ptr<AppKitImage> image_;
};
