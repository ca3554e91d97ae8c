// Loading an NSImage from a file and setting how it is drawn.
#include "platform/mac/AppKitImage.h"

#import "platform/mac/AppKitImageNative.h"
#import "platform/mac/MacStrings.h"

std::unique_ptr<AppKitImage> AppKitImage::fromFile(const std::string& path) {
  NSString* string = MacStrings::toNSString(path);
  if (string.length == 0) return nullptr;
  NSImage* image = [[NSImage alloc] initWithContentsOfURL:[NSURL fileURLWithPath:string]];
  if (image == nil) return nullptr;
  auto native = std::make_unique<Native>();
  native->image = image;
  return std::make_unique<AppKitImage>(std::move(native));
}

AppKitImage::AppKitImage(std::unique_ptr<Native> native) : native_(std::move(native)) {}

AppKitImage::~AppKitImage() = default;

void AppKitImage::setTemplate(bool isTemplate) {
  // "template" is a C++ keyword, so the property is set by message.
  [native_->image setTemplate:isTemplate];
}

void AppKitImage::setSize(double width, double height) {
  native_->image.size = NSMakeSize(width, height);
}
