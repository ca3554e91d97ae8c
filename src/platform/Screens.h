// The displays and the pointer (NSScreen and NSEvent on macOS, Xlib/XRandR
// on Linux), all in global screen coordinates.
#pragma once

#include <optional>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Screen.h"

class Screens {
 public:
  virtual ~Screens() = default;
  /// Every screen, in the system's order; empty when none is attached.
  virtual std::vector<Screen> screens() = 0;
  /// The screen with the key window, or nothing when there is no screen.
  virtual std::optional<Screen> mainScreen() = 0;
  /// The pointer's position now.
  virtual Point2D mouseLocation() = 0;
};
