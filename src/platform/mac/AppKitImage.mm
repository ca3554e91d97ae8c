// Loading an NSImage from a file and setting how it is drawn.
#include "platform/mac/AppKitImage.h"

#import "platform/mac/AppKitImageNative.h"
#import "platform/mac/MacStrings.h"

namespace {

// A PNG loaded by path has only its own pixels; bundle resources ship a
// "name@2x.png" beside "name.png", which Retina screens should draw instead
// of scaling the 1x pixels up. The 2x pixels cover the same size in points.
void addDoubleResolution(NSImage* image, NSString* path) {
  if (![path.pathExtension isEqualToString:@"png"]) return;
  NSString* stem = path.stringByDeletingPathExtension;
  if ([stem hasSuffix:@"@2x"]) return;
  NSString* doublePath =
      [[stem stringByAppendingString:@"@2x"] stringByAppendingPathExtension:@"png"];
  if (![[NSFileManager defaultManager] isReadableFileAtPath:doublePath]) return;
  NSImageRep* representation = [NSImageRep imageRepWithContentsOfFile:doublePath];
  if (representation == nil) return;
  representation.size = image.size;
  [image addRepresentation:representation];
}

}  // namespace

std::unique_ptr<AppKitImage> AppKitImage::fromFile(const std::string& path) {
  NSString* string = MacStrings::toNSString(path);
  if (string.length == 0) return nullptr;
  NSImage* image = [[NSImage alloc] initWithContentsOfURL:[NSURL fileURLWithPath:string]];
  if (image == nil) return nullptr;
  addDoubleResolution(image, string);
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
