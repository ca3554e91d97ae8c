// Shared font specifications as Qt fonts.
#include "platform/linux/ui/QtFont.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QList>
#include <QPainter>
#include <QScreen>
#include <QTextBoundaryFinder>
#include <algorithm>

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

/// Emoji that show as pictures: past the symbol planes' start, or asked
/// for by the emoji variation selector or the keycap mark.
bool isEmoji(const QString& cluster) {
  const QList<uint> codePoints = cluster.toUcs4();
  return std::any_of(codePoints.begin(), codePoints.end(), [](uint codePoint) {
    return codePoint >= 0x1F000 || codePoint == 0xFE0F || codePoint == 0x20E3;
  });
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

std::vector<std::pair<QString, bool>> emojiRuns(const QString& text) {
  std::vector<std::pair<QString, bool>> runs;
  QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
  qsizetype start = 0;
  while (clusters.toNextBoundary() != -1) {
    const QString cluster = text.mid(start, clusters.position() - start);
    start = clusters.position();
    const bool emoji = isEmoji(cluster);
    if (runs.empty() || runs.back().second != emoji) {
      runs.emplace_back(QString(), emoji);
    }
    runs.back().first += cluster;
  }
  return runs;
}

void drawText(QPainter& painter, QPointF baseline, const QString& text) {
  const QFont font = painter.font();
  QFont emojiFont = font;
  emojiFont.setFamilies({QStringLiteral("Noto Color Emoji"), font.family()});
  for (const auto& [run, emoji] : emojiRuns(text)) {
    painter.setFont(emoji ? emojiFont : font);
    painter.drawText(baseline, run);
    baseline.rx() += QFontMetricsF(painter.font()).horizontalAdvance(run);
  }
  painter.setFont(font);
}

}  // namespace QtFont
