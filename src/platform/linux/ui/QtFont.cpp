// Shared font specifications as Qt fonts.
#include "platform/linux/ui/QtFont.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

constexpr double defaultDpi = 96;
constexpr double pointsPerInch = 72;

double styleSize(const TextStyle& style) {
  switch (style.font) {
    case TextStyle::Font::title2:
      return 17;
    case TextStyle::Font::callout:
      return 12;
    case TextStyle::Font::caption:
    case TextStyle::Font::caption2:
      return 10;
    case TextStyle::Font::system:
      return style.pointSize > 0 ? style.pointSize : 13;
  }
  return 13;
}

QFont sized(double pixels, double logicalDpi) {
  QFont font = QGuiApplication::font();
  const double dpi = logicalDpi > 0 ? logicalDpi : defaultDpi;
  // Point sizes keep the fraction (10.5) that pixel sizes would round away.
  font.setPointSizeF(pixels * pointsPerInch / dpi);
  return font;
}

}  // namespace

namespace QtFont {

QFont::Weight weight(FontWeight weight) {
  switch (weight) {
    case FontWeight::regular:
      return QFont::Normal;
    case FontWeight::medium:
      return QFont::Medium;
    case FontWeight::semibold:
      return QFont::DemiBold;
    case FontWeight::bold:
      return QFont::Bold;
  }
  return QFont::Normal;
}

QFont font(const FontSpec& fontSpec, double logicalDpi) {
  QFont font = sized(fontSpec.size, logicalDpi);
  font.setWeight(weight(fontSpec.weight));
  return font;
}

QFont font(const TextStyle& style, double logicalDpi) {
  QFont font = sized(styleSize(style), logicalDpi);
  switch (style.weight) {
    case TextStyle::Weight::regular:
      font.setWeight(QFont::Normal);
      break;
    case TextStyle::Weight::semibold:
      font.setWeight(QFont::DemiBold);
      break;
    case TextStyle::Weight::bold:
      font.setWeight(QFont::Bold);
      break;
  }
  font.setItalic(style.italic);
  return font;
}

double screenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInchY() : defaultDpi;
}

}  // namespace QtFont
