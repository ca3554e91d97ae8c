// The symbols the views name ("pin.fill", "trash", ...), drawn from the SVG
// files compiled in as resources and tinted in the colour asked for.
#pragma once

#include <QColor>
#include <QPixmap>
#include <string_view>

namespace SymbolIcon {

/// Whether a symbol of that name is compiled in.
bool exists(std::string_view name);
/// The side of the square a symbol takes next to text of `fontSize`.
int side(double fontSize);
/// The symbol in `color`, `side` logical pixels square at the given device
/// pixel ratio; a null pixmap for an unknown name. Cached per arguments.
QPixmap pixmap(std::string_view name, const QColor& color, int side, qreal devicePixelRatio);

}  // namespace SymbolIcon
