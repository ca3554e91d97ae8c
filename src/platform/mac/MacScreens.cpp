// The screens seam on top of the AppKit layer: converts its plain numbers to
// the core's geometry types.
#include "platform/mac/MacScreens.h"

#include "platform/mac/AppKitScreens.h"

namespace {

Rect2D toRect(const AppKitScreens::Frame& frame) {
  return {{frame.x, frame.y}, {frame.width, frame.height}};
}

Screen toScreen(const AppKitScreens::Display& display) {
  return {toRect(display.frame), toRect(display.visibleFrame)};
}

}  // namespace

std::vector<Screen> MacScreens::screens() {
  std::vector<Screen> result;
  for (const AppKitScreens::Display& display : AppKitScreens::all())
    result.push_back(toScreen(display));
  return result;
}

std::optional<Screen> MacScreens::mainScreen() {
  std::optional<AppKitScreens::Display> display = AppKitScreens::mainDisplay();
  if (!display)
    return std::nullopt;
  return toScreen(*display);
}

Point2D MacScreens::mouseLocation() {
  AppKitScreens::Frame location = AppKitScreens::mouseLocation();
  return {location.x, location.y};
}
