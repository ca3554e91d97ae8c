// The compiled-in symbols: every name the views ask for exists and is drawn
// in the colour asked for.
#include "platform/linux/ui/SymbolIcon.h"

#include <gtest/gtest.h>

#include <QImage>

#include "QtTestApplication.h"

class SymbolIconTest : public ::testing::Test {
 protected:
  SymbolIconTest() { qtTestApplication(); }
};

TEST_F(SymbolIconTest, EverySymbolTheViewsNameIsCompiledIn) {
  for (const char* name :
       {"magnifyingglass", "xmark.circle.fill", "trash", "pin", "pin.fill", "text.alignleft",
        "doc.richtext.fill", "photo", "folder.fill", "doc.on.clipboard"}) {
    EXPECT_TRUE(SymbolIcon::exists(name)) << name;
    EXPECT_FALSE(SymbolIcon::pixmap(name, Qt::white, 16, 1.0).isNull()) << name;
  }
}

TEST_F(SymbolIconTest, UnknownNameGivesNothing) {
  EXPECT_FALSE(SymbolIcon::exists("no.such.symbol"));
  EXPECT_FALSE(SymbolIcon::exists(""));
  EXPECT_TRUE(SymbolIcon::pixmap("no.such.symbol", Qt::white, 16, 1.0).isNull());
}

TEST_F(SymbolIconTest, DrawnPixelsTakeTheRequestedColourOnly) {
  const QColor green(0, 255, 145);
  const QImage image = SymbolIcon::pixmap("folder.fill", green, 24, 1.0).toImage();
  ASSERT_EQ(image.size(), QSize(24, 24));
  int opaque = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (pixel.alpha() < 255)
        continue;
      ++opaque;
      EXPECT_EQ(pixel.rgb(), green.rgb());
    }
  }
  EXPECT_GT(opaque, 100);
}

TEST_F(SymbolIconTest, HighDensityScreensGetMorePixelsAtTheSameSize) {
  const QPixmap pixmap = SymbolIcon::pixmap("pin", Qt::white, 13, 2.0);
  EXPECT_EQ(pixmap.size(), QSize(26, 26));
  EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(13, 13));
}
