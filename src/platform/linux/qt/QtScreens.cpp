// QScreen geometry in device-independent pixels, which play the role of
// points.
#include "platform/linux/qt/QtScreens.h"

#include <QCursor>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#include "platform/linux/ui/ScreenCoordinates.h"

namespace {

Rect2D convert(const QRect& rect, double primaryBottom) {
  const Rect2D topDown{
      Point2D{static_cast<double>(rect.x()), static_cast<double>(rect.y())},
      Size2D{static_cast<double>(rect.width()), static_cast<double>(rect.height())}};
  return ScreenCoordinates::flipped(topDown, primaryBottom);
}

Screen convert(const QScreen& screen, double primaryBottom) {
  return Screen{convert(screen.geometry(), primaryBottom),
                convert(screen.availableGeometry(), primaryBottom)};
}

}  // namespace

double QtScreens::primaryBottom() {
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary == nullptr) {
    return 0;
  }
  const QRect frame = primary->geometry();
  return static_cast<double>(frame.y()) + frame.height();
}

std::vector<Screen> QtScreens::screens() {
  const double bottom = primaryBottom();
  std::vector<Screen> result;
  for (const QScreen* screen : QGuiApplication::screens()) {
    result.push_back(convert(*screen, bottom));
  }
  return result;
}

std::optional<Screen> QtScreens::mainScreen() {
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary == nullptr) {
    return std::nullopt;
  }
  return convert(*primary, primaryBottom());
}

Point2D QtScreens::mouseLocation() {
  const QPoint position = QCursor::pos();
  return ScreenCoordinates::flipped(
      Point2D{static_cast<double>(position.x()), static_cast<double>(position.y())},
      primaryBottom());
}
