// The displays and the pointer through AppKit's NSScreen and NSEvent.
#pragma once

#include "platform/Screens.h"

class MacScreens : public Screens {
 public:
  std::vector<Screen> screens() override;
  std::optional<Screen> mainScreen() override;
  Point2D mouseLocation() override;
};
