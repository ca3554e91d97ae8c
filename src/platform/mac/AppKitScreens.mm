// NSScreen frames and NSEvent's pointer location; both already use global
// coordinates with the origin at the primary screen's bottom left.
#include "platform/mac/AppKitScreens.h"

#import <AppKit/AppKit.h>

namespace AppKitScreens {
namespace {

Frame toFrame(NSRect rect) {
  return {rect.origin.x, rect.origin.y, rect.size.width, rect.size.height};
}

Display toDisplay(NSScreen* screen) {
  return {toFrame(screen.frame), toFrame(screen.visibleFrame)};
}

}  // namespace

std::vector<Display> all() {
  std::vector<Display> result;
  for (NSScreen* screen in [NSScreen screens]) result.push_back(toDisplay(screen));
  return result;
}

std::optional<Display> mainDisplay() {
  NSScreen* screen = [NSScreen mainScreen];
  if (screen == nil) return std::nullopt;
  return toDisplay(screen);
}

Frame mouseLocation() {
  NSPoint location = [NSEvent mouseLocation];
  return {location.x, location.y, 0, 0};
}

}  // namespace AppKitScreens
