// View colour roles as Qt colours.
#include "platform/linux/ui/ViewPalette.h"

#include <gtest/gtest.h>

TEST(ViewPaletteTest, BrandGreenIsExactAndOpacityScalesItsAlpha) {
  const QColor green = ViewPalette::color(ViewColor::green, 0.22);
  EXPECT_EQ(green.red(), 0);
  EXPECT_EQ(green.green(), 255);
  EXPECT_EQ(green.blue(), 145);
  EXPECT_NEAR(green.alphaF(), 0.22, 0.01);
}

TEST(ViewPaletteTest, OpacityMultipliesTheRolesOwnAlpha) {
  const QColor secondary = ViewPalette::color(ViewColor::secondary);
  const QColor faded = ViewPalette::color(ViewColor::secondary, 0.4);
  EXPECT_NEAR(faded.alphaF(), secondary.alphaF() * 0.4, 0.01);
  EXPECT_EQ(faded.rgb(), secondary.rgb());
}

TEST(ViewPaletteTest, TextRolesGrowFainterFromPrimaryToTertiary) {
  EXPECT_GT(ViewPalette::color(ViewColor::primary).alphaF(),
            ViewPalette::color(ViewColor::secondary).alphaF());
  EXPECT_GT(ViewPalette::color(ViewColor::secondary).alphaF(),
            ViewPalette::color(ViewColor::tertiary).alphaF());
}

TEST(ViewPaletteTest, ClearIsInvisibleAndOpacityIsClamped) {
  EXPECT_EQ(ViewPalette::color(ViewColor::clear).alpha(), 0);
  EXPECT_EQ(ViewPalette::color(ViewColor::white, 3.0).alpha(), 255);
  EXPECT_EQ(ViewPalette::color(ViewColor::white, -1.0).alpha(), 0);
}

TEST(ViewPaletteTest, SrgbComponentsAreKept) {
  const QColor color = ViewPalette::color(SrgbColor{0.06, 0.08, 0.07, 0.5});
  EXPECT_NEAR(color.redF(), 0.06, 0.005);
  EXPECT_NEAR(color.greenF(), 0.08, 0.005);
  EXPECT_NEAR(color.alphaF(), 0.5, 0.005);
}
