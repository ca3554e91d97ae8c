// Tinted renderings of the compiled-in SVG symbols.
#include "platform/linux/ui/SymbolIcon.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace {

QString resourcePath(std::string_view name) {
  return QStringLiteral(":/symbols/") +
         QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) +
         QStringLiteral(".svg");
}

}  // namespace

namespace SymbolIcon {

bool exists(std::string_view name) {
  return !name.empty() && QFile::exists(resourcePath(name));
}

int side(double fontSize) {
  // The symbols carry their own inner margin; a little above the font size
  // makes them as heavy as the text beside them.
  return static_cast<int>(std::lround(fontSize * 1.15));
}

QPixmap pixmap(std::string_view name, const QColor& color, int side, qreal devicePixelRatio) {
  static QHash<QString, QPixmap> cache;
  const QString key = QStringLiteral("%1|%2|%3|%4")
                          .arg(resourcePath(name), color.name(QColor::HexArgb))
                          .arg(side)
                          .arg(devicePixelRatio);
  if (auto found = cache.constFind(key); found != cache.constEnd())
    return *found;

  if (!exists(name) || side <= 0)
    return {};
  QSvgRenderer renderer(resourcePath(name));
  if (!renderer.isValid())
    return {};
  const int pixels = static_cast<int>(std::ceil(side * devicePixelRatio));
  QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, pixels, pixels));
    // The drawings are black; keep their coverage and paint the colour in it.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
  }
  QPixmap result = QPixmap::fromImage(image);
  result.setDevicePixelRatio(devicePixelRatio);
  cache.insert(key, result);
  return result;
}

}  // namespace SymbolIcon
