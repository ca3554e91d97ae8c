// Points, sizes and rectangles in global screen coordinates: origin at the
// bottom left of the primary screen, y growing upwards (as on macOS; the X11
// backend converts).
#pragma once

struct Point {
  double x = 0;
  double y = 0;

  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  double width = 0;
  double height = 0;

  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  Point origin;
  Size size;

  double minX() const { return origin.x; }
  double maxX() const { return origin.x + size.width; }
  double minY() const { return origin.y; }
  double maxY() const { return origin.y + size.height; }

  friend bool operator==(const Rect&, const Rect&) = default;
};

/// Whether the pointer at `point` lies in `rect`, seen from the user in an
/// unflipped system: the left and top edges are inside, the right and bottom
/// edges outside, so adjacent screens never both claim the pointer.
inline bool mouseInRect(Point point, const Rect& rect) {
  return point.x >= rect.minX() && point.x < rect.maxX() && point.y > rect.minY() &&
         point.y <= rect.maxY();
}
