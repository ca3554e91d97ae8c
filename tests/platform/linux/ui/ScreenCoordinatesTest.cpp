// The flip between the core's y-up and Qt's y-down screen coordinates.
#include "platform/linux/ui/ScreenCoordinates.h"

#include <gtest/gtest.h>

TEST(ScreenCoordinatesTest, PanelAtTheTopOfTheScreenHasQtOriginZero) {
  const Rect2D mac{{100, 1080 - 560}, {440, 560}};
  const Rect2D qt = ScreenCoordinates::flipped(mac, 1080);
  EXPECT_EQ(qt, (Rect2D{{100, 0}, {440, 560}}));
}

TEST(ScreenCoordinatesTest, PanelAtTheBottomEdgeSitsAtThePrimaryHeightMinusItsHeight) {
  const Rect2D qt = ScreenCoordinates::flipped(Rect2D{{8, 8}, {440, 560}}, 1080);
  EXPECT_EQ(qt.origin, (Point2D{8, 1080 - 8 - 560}));
  EXPECT_EQ(qt.size, (Size2D{440, 560}));
}

TEST(ScreenCoordinatesTest, FlippingTwiceGivesTheRectangleBack) {
  const Rect2D rect{{-1920, 300}, {1920, 1200}};
  EXPECT_EQ(ScreenCoordinates::flipped(ScreenCoordinates::flipped(rect, 1080), 1080), rect);
}

TEST(ScreenCoordinatesTest, PointerAtTheTopLeftPixelIsAtThePrimaryHeight) {
  EXPECT_EQ(ScreenCoordinates::flipped(Point2D{0, 0}, 768), (Point2D{0, 768}));
  EXPECT_EQ(ScreenCoordinates::flipped(Point2D{50, 700}, 768), (Point2D{50, 68}));
}

TEST(ScreenCoordinatesTest, ScreenBelowThePrimaryGetsNegativeCoreY) {
  // A second screen stacked under a 1080-high primary, in Qt's coordinates.
  const Rect2D below{{0, 1080}, {1280, 1024}};
  EXPECT_EQ(ScreenCoordinates::flipped(below, 1080).origin, (Point2D{0, -1024}));
}
