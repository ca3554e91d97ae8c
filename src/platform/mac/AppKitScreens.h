// NSScreen and NSEvent reduced to plain numbers. Apple's MacTypes.h defines
// global Point2D, Size2D and Rect2D, which clash with our geometry types, so no
// translation unit can see both; this layer keeps AppKit on one side and
// MacScreens.cpp keeps Geometry.h on the other.
#pragma once

#include <optional>
#include <vector>

namespace AppKitScreens {

/// x, y, width, height in global screen coordinates.
struct Frame {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

struct Display {
  Frame frame;
  Frame visibleFrame;
};

std::vector<Display> all();
std::optional<Display> mainDisplay();
/// x, y of the pointer.
Frame mouseLocation();

}  // namespace AppKitScreens
