// Tests for placing the popup at the pointer.
#include "popup/PanelPlacement.h"

#include <gtest/gtest.h>

namespace {

const Size2D panel{440, 560};

Rect2D rect(double x, double y, double w, double h) {
  return Rect2D{Point2D{x, y}, Size2D{w, h}};
}

// A 1440x900 screen whose visible frame loses a 25-point menu bar on top
// and a 70-point Dock at the bottom.
const Screen laptop{rect(0, 0, 1440, 900), rect(0, 70, 1440, 805)};
// A second screen to the right of it.
const Screen external{rect(1440, 0, 1920, 1080), rect(1440, 0, 1920, 1055)};

TEST(PanelPlacementTest, MiddleOfTheScreenPutsTheTopEdgeAtThePointerCentredOnIt) {
  std::optional<Point2D> origin = panelOrigin({laptop}, laptop, Point2D{720, 700}, panel);

  ASSERT_TRUE(origin);
  EXPECT_DOUBLE_EQ(origin->x + panel.width / 2, 720);
  EXPECT_DOUBLE_EQ(origin->y + panel.height, 700);
}

TEST(PanelPlacementTest, PointerAtTheBottomKeepsTheBottomEdgeEightPointsAboveTheVisibleFrame) {
  std::optional<Point2D> origin = panelOrigin({laptop}, laptop, Point2D{720, 1}, panel);

  ASSERT_TRUE(origin);
  EXPECT_DOUBLE_EQ(origin->y, 70 + 8);
}

TEST(PanelPlacementTest, PointerAtTheLeftEdgeKeepsTheLeftEdgeEightPointsIn) {
  std::optional<Point2D> origin = panelOrigin({laptop}, laptop, Point2D{0, 700}, panel);

  ASSERT_TRUE(origin);
  EXPECT_DOUBLE_EQ(origin->x, 8);
  EXPECT_DOUBLE_EQ(origin->y, 700 - 560);
}

TEST(PanelPlacementTest, PointerAtTheTopRightKeepsThePanelInsideTheVisibleFrame) {
  std::optional<Point2D> origin = panelOrigin({laptop}, laptop, Point2D{1439, 900}, panel);

  ASSERT_TRUE(origin);
  EXPECT_DOUBLE_EQ(origin->x, 1440 - 440 - 8);
  EXPECT_DOUBLE_EQ(origin->y, 875 - 560 - 8);
}

TEST(PanelPlacementTest, PointerOnTheSecondScreenPlacesThePanelOnThatScreen) {
  std::optional<Point2D> origin = panelOrigin({laptop, external}, laptop, Point2D{1450, 1000}, panel);

  ASSERT_TRUE(origin);
  EXPECT_DOUBLE_EQ(origin->x, 1440 + 8);
  EXPECT_DOUBLE_EQ(origin->y, 1000 - 560);
}

TEST(PanelPlacementTest, PointerOnTheSharedVerticalEdgeBelongsToTheScreenOnItsRight) {
  // The left edge counts as inside and the right edge as outside.
  std::optional<Point2D> origin = panelOrigin({laptop, external}, laptop, Point2D{1440, 800}, panel);

  ASSERT_TRUE(origin);
  EXPECT_DOUBLE_EQ(origin->x, 1440 + 8);
}

TEST(PanelPlacementTest, TopEdgeOfAFrameIsInsideAndTheBottomEdgeOutside) {
  const Screen lower{rect(0, 0, 1440, 900), rect(0, 0, 1440, 900)};
  const Screen upper{rect(0, 900, 1440, 900), rect(0, 900, 1440, 900)};

  std::optional<Point2D> onSeam = panelOrigin({upper, lower}, std::nullopt, Point2D{720, 900}, panel);
  std::optional<Point2D> onTop = panelOrigin({upper}, std::nullopt, Point2D{720, 1800}, panel);

  ASSERT_TRUE(onSeam);
  EXPECT_DOUBLE_EQ(onSeam->y, 900 - 560 - 8);  // under the lower screen's top margin
  EXPECT_TRUE(onTop);
}

TEST(PanelPlacementTest, PointerOutsideEveryScreenFallsBackToTheMainScreen) {
  std::optional<Point2D> origin = panelOrigin({laptop, external}, external, Point2D{-500, 500}, panel);

  ASSERT_TRUE(origin);
  EXPECT_DOUBLE_EQ(origin->x, 1440 + 8);
}

TEST(PanelPlacementTest, NoScreenAtAllLeavesThePanelWhereItIs) {
  EXPECT_FALSE(panelOrigin({}, std::nullopt, Point2D{100, 100}, panel));
  EXPECT_FALSE(panelOrigin({laptop}, std::nullopt, Point2D{-100, 100}, panel));
}

TEST(PanelPlacementTest, FrameNarrowerThanThePanelGivesTheRightMarginTheLastWord) {
  const Screen narrow{rect(0, 0, 400, 900), rect(0, 0, 400, 900)};

  std::optional<Point2D> origin = panelOrigin({narrow}, narrow, Point2D{200, 800}, panel);

  ASSERT_TRUE(origin);
  EXPECT_DOUBLE_EQ(origin->x, 400 - 440 - 8);
}

TEST(PanelPlacementTest, FrameLowerThanThePanelGivesTheTopMarginTheLastWord) {
  const Screen low{rect(0, 0, 1440, 500), rect(0, 0, 1440, 500)};

  std::optional<Point2D> origin = panelOrigin({low}, low, Point2D{720, 250}, panel);

  ASSERT_TRUE(origin);
  EXPECT_DOUBLE_EQ(origin->y, 500 - 560 - 8);
}

}  // namespace
