// Fonts for the shared measures. Sizes there are points of the macOS kind
// (one point, one logical pixel), so they are set here as pixels, whatever
// the screen's dots per inch.
#pragma once

#include <QFont>
#include <QPointF>
#include <QString>
#include <string_view>
#include <utility>
#include <vector>

class QPainter;

#include "app/TextStyle.h"
#include "views/ViewMetrics.h"

namespace QtFont {

/// The application font's family at `fontSpec`'s size and weight. There is no
/// rounded design on Linux; `rounded` keeps the ordinary family.
/// `logicalDpi` is the screen's logical dots per inch (96 when unknown).
QFont font(const FontSpec& fontSpec, double logicalDpi);
/// The About window's text styles, sized as on macOS (title 2 is 17, callout
/// 12, captions 10, the plain system style 13 unless it names a size).
QFont font(const TextStyle& style, double logicalDpi);
/// The logical dots per inch of the primary screen, 96 without one.
double screenDpi();
/// `font(fontSpec, screenDpi())`.
inline QFont screenFont(const FontSpec& fontSpec) {
  return font(fontSpec, screenDpi());
}
/// UTF-8 text from the core as a QString.
inline QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont::Weight weight(FontWeight weight);

/// Draws `text` from `baseline` in the painter's font, with its emoji from
/// the colour emoji font: where the font has black-and-white glyphs of its
/// own (DejaVu's faces and hearts) Qt would take those, and split an emoji
/// with a skin tone or a joiner between two fonts.
void drawText(QPainter& painter, QPointF baseline, const QString& text);
/// `text` cut into runs of whole characters (grapheme clusters), each
/// either all emoji (true) or none.
std::vector<std::pair<QString, bool>> emojiRuns(const QString& text);

}  // namespace QtFont
