// Placement of the popup at the pointer.
#include "popup/PanelPlacement.h"

namespace {

const Screen* screenUnderPointer(const std::vector<Screen>& screens,
                                 const std::optional<Screen>& mainScreen, Point2D mouse) {
  for (const Screen& screen : screens) {
    if (mouseInRect(mouse, screen.frame)) {
      return &screen;
    }
  }
  return mainScreen ? &*mainScreen : nullptr;
}

}  // namespace

std::optional<Point2D> panelOrigin(const std::vector<Screen>& screens,
                                 const std::optional<Screen>& mainScreen, Point2D mouse,
                                 Size2D panelSize) {
  const Screen* screen = screenUnderPointer(screens, mainScreen, mouse);
  if (screen == nullptr) {
    return std::nullopt;
  }
  const Rect2D& visible = screen->visibleFrame;
  const double w = panelSize.width;
  const double h = panelSize.height;

  double x = mouse.x - w * 0.5;
  double y = mouse.y - h;
  // Lower bounds first, so the upper ones win when the frame is too small.
  if (x <= visible.minX() + panelScreenMargin) {
    x = visible.minX() + panelScreenMargin;
  }
  if (visible.maxX() - w - panelScreenMargin < x) {
    x = visible.maxX() - w - panelScreenMargin;
  }
  if (y <= visible.minY() + panelScreenMargin) {
    y = visible.minY() + panelScreenMargin;
  }
  if (visible.maxY() - h - panelScreenMargin < y) {
    y = visible.maxY() - h - panelScreenMargin;
  }
  return Point2D{x, y};
}
