// Status items and system symbol images.
#include "platform/mac/MacStatusBar.h"

#import <AppKit/AppKit.h>

#include "platform/mac/AppKitImageNative.h"
#include "platform/mac/MacImage.h"
#include "platform/mac/MacStatusItem.h"
#import "platform/mac/MacStrings.h"

std::unique_ptr<StatusItem> MacStatusBar::statusItemWithLength(double length) {
  return std::make_unique<MacStatusItem>(length);
}

std::shared_ptr<Image> MacStatusBar::imageWithSystemSymbolName(
    const std::string& name, const std::string& accessibilityDescription) {
  NSString* symbol = MacStrings::toNSString(name);
  if (symbol.length == 0) return nullptr;
  NSImage* image =
      [NSImage imageWithSystemSymbolName:symbol
                accessibilityDescription:MacStrings::toNSString(accessibilityDescription)];
  if (image == nil) return nullptr;
  auto native = std::make_unique<AppKitImage::Native>();
  native->image = image;
  return std::make_shared<MacImage>(std::make_unique<AppKitImage>(std::move(native)));
}
