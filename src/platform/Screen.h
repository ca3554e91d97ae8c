// One display as the window system reports it.
#pragma once

#include "platform/Geometry.h"

struct Screen {
  Rect frame;
  /// The frame without the menu bar and the Dock (or panels on Linux).
  Rect visibleFrame;

  friend bool operator==(const Screen&, const Screen&) = default;
};
