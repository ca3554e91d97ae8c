// The displays and the pointer through Qt, converted to the core's global
// coordinates (origin at the primary screen's bottom left, y up).
#pragma once

#include "platform/Screens.h"

class QtScreens : public Screens {
 public:
  std::vector<Screen> screens() override;
  /// The primary screen: X11 has no key-window screen of its own.
  std::optional<Screen> mainScreen() override;
  Point2D mouseLocation() override;

  /// The y where the core's y is 0: the primary screen's bottom edge in Qt
  /// coordinates; 0 without a screen.
  static double primaryBottom();
};
