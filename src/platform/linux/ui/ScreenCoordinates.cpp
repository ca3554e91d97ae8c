// Flip between the core's y-up and Qt's y-down screen coordinates.
#include "platform/linux/ui/ScreenCoordinates.h"

namespace ScreenCoordinates {

Rect2D flipped(const Rect2D& rect, double primaryHeight) {
  return {{rect.origin.x, primaryHeight - rect.origin.y - rect.size.height}, rect.size};
}

Point2D flipped(Point2D point, double primaryHeight) {
  return {point.x, primaryHeight - point.y};
}

}  // namespace ScreenCoordinates
