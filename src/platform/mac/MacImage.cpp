// The image seam over AppKitImage.
#include "platform/mac/MacImage.h"

MacImage::MacImage(std::unique_ptr<AppKitImage> image) : image_(std::move(image)) {}

void MacImage::setTemplate(bool isTemplate) {
  image_->setTemplate(isTemplate);
}

void MacImage::setSize(Size2D size) {
  image_->setSize(size.width, size.height);
}
