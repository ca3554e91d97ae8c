// QImage-backed images.
#include "platform/linux/ui/QtImage.h"

#include <QPainter>

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
