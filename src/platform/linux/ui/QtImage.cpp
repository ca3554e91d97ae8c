// QImage-backed images.
#include "platform/linux/ui/QtImage.h"

#include <QPainter>
#include <algorithm>

QtImage::QtImage(QImage image) : image_(std::move(image)) {}

std::shared_ptr<QtImage> QtImage::fromFile(const std::string& path) {
  QImage image(QString::fromStdString(path));
  if (image.isNull())
    return nullptr;
  return std::make_shared<QtImage>(std::move(image));
}

Size2D QtImage::size() const {
  if (size_.width > 0 && size_.height > 0)
    return size_;
  const QSizeF own = image_.deviceIndependentSize();
  return {own.width(), own.height()};
}

QImage QtImage::tinted(const QColor& color) const {
  QImage result = image_.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&result);
  // Keep only the alpha channel of the original and paint the colour in it.
  painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
  painter.fillRect(result.rect(), color);
  return result;
}

QImage QtImage::outlined(const QColor& fill, const QColor& rim) const {
  const int width = std::max(1, std::min(image_.width(), image_.height()) / 15);
  QImage result(image_.width() + 2 * width, image_.height() + 2 * width,
                QImage::Format_ARGB32_Premultiplied);
  result.fill(Qt::transparent);
  QPainter painter(&result);
  // The rim is the shape stamped at every offset within a disc of its width.
  const QImage rimShape = tinted(rim);
  for (int dy = -width; dy <= width; ++dy) {
    for (int dx = -width; dx <= width; ++dx) {
      if (dx * dx + dy * dy <= width * width + width) {
        painter.drawImage(width + dx, width + dy, rimShape);
      }
    }
  }
  painter.drawImage(width, width, tinted(fill));
  return result;
}
