// One display as the window system reports it.
#pragma once

#include "platform/Geometry.h"

struct Screen {
  Rect2D frame;
  /// The frame without the menu bar and the Dock (or panels on Linux).
  Rect2D visibleFrame;

  friend bool operator==(const Screen&, const Screen&) = default;
};
