// Decodes TIFF and encodes PNG with QImage.
#include "platform/linux/qt/QtImageConverter.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

std::optional<Bytes> QtImageConverter::pngFromTiff(const Bytes& tiff) {
  if (tiff.empty()) {
    return std::nullopt;
  }
  QImage image;
  if (!image.loadFromData(tiff.data(), static_cast<int>(tiff.size()), "TIFF")) {
    return std::nullopt;
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) {
    return std::nullopt;
  }
  return Bytes(png.begin(), png.end());
}
