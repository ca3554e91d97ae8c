// TIFF to PNG with Qt's image plugins.
#include "platform/linux/QtImageConverter.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

namespace {

TEST(QtImageConverter, ConvertsTiffToAPngOfTheSamePixels) {
  if (!QImageReader::supportedImageFormats().contains("tiff")) {
    GTEST_SKIP() << "Qt's TIFF plugin is not installed";
  }
  QImage source(3, 2, QImage::Format_RGB32);
  source.fill(QColor(10, 200, 30));
  QByteArray tiff;
  QBuffer buffer(&tiff);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(source.save(&buffer, "TIFF"));

  QtImageConverter converter;
  const auto png = converter.pngFromTiff(Bytes(tiff.begin(), tiff.end()));
  ASSERT_TRUE(png);
  ASSERT_GE(png->size(), 8U);
  EXPECT_EQ((*png)[1], 'P');
  QImage decoded;
  ASSERT_TRUE(decoded.loadFromData(png->data(), static_cast<int>(png->size()), "PNG"));
  EXPECT_EQ(decoded.size(), source.size());
  EXPECT_EQ(decoded.pixelColor(2, 1), QColor(10, 200, 30));
}

TEST(QtImageConverter, RefusesBytesThatAreNoTiff) {
  QtImageConverter converter;
  EXPECT_EQ(converter.pngFromTiff(Bytes{'I', 'I', '*', 0, 'x'}), std::nullopt);
  EXPECT_EQ(converter.pngFromTiff(Bytes{}), std::nullopt);
}

}  // namespace
