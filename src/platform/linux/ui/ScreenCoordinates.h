// The one conversion between the core's screen coordinates (origin at the
// bottom left of the primary screen, y up) and Qt's (origin at the top left
// of the primary screen, y down). Both directions are the same flip.
#pragma once

#include "platform/Geometry.h"

namespace ScreenCoordinates {

/// A rectangle in one system, given in the other: x and the size stay, y
/// becomes `primaryHeight` - y - height. Applying it twice gives the input.
Rect2D flipped(const Rect2D& rect, double primaryHeight);
/// A point, seen as a rectangle of no height.
Point2D flipped(Point2D point, double primaryHeight);

}  // namespace ScreenCoordinates
