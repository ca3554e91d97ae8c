// Decodes a bitmap with NSBitmapImageRep and re-encodes it as PNG.
#include "platform/mac/MacImageConverter.h"

#import <AppKit/AppKit.h>

#import "platform/mac/MacStrings.h"

std::optional<Bytes> MacImageConverter::pngFromTiff(const Bytes& tiff) {
  if (tiff.empty()) return std::nullopt;
  // The pool frees the decoded bitmap and the intermediate data right away;
  // images may be tens of megabytes. Image decoding of hostile bytes is
  // guarded because AppKit's image classes may raise on malformed input.
  @autoreleasepool {
    @try {
      NSBitmapImageRep* bitmap = [[NSBitmapImageRep alloc] initWithData:MacStrings::toNSData(tiff)];
      if (bitmap == nil) return std::nullopt;
      NSData* png = [bitmap representationUsingType:NSBitmapImageFileTypePNG properties:@{}];
      if (png == nil) return std::nullopt;
      return MacStrings::toBytes(png);
    } @catch (NSException* exception) {
      return std::nullopt;
    }
  }
}
