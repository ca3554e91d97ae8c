// Points, sizes and rectangles in global screen coordinates: origin at the
// bottom left of the primary screen, y growing upwards (as on macOS; the X11
// backend converts).
#pragma once

struct Point2D {
  double x = 0;
  double y = 0;

  friend bool operator==(const Point2D&, const Point2D&) = default;
};

struct Size2D {
  double width = 0;
  double height = 0;

  friend bool operator==(const Size2D&, const Size2D&) = default;
};

struct Rect2D {
  Point2D origin;
  Size2D size;

  double minX() const { return origin.x; }
  double maxX() const { return origin.x + size.width; }
  double minY() const { return origin.y; }
  double maxY() const { return origin.y + size.height; }

  friend bool operator==(const Rect2D&, const Rect2D&) = default;
};

/// Whether the pointer at `point` lies in `rect`, seen from the user in an
/// unflipped system: the left and top edges are inside, the right and bottom
/// edges outside, so adjacent screens never both claim the pointer.
inline bool mouseInRect(Point2D point, const Rect2D& rect) {
  return point.x >= rect.minX() && point.x < rect.maxX() && point.y > rect.minY() &&
         point.y <= rect.maxY();
}
