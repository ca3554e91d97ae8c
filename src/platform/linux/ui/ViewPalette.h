// The colours of the Qt front end: the view roles of the shared presentation
// mapped to a dark appearance, and the card's material, which Qt cannot blur
// behind the window, so it is drawn as a nearly opaque dark gradient.
#pragma once

#include <QColor>

#include "app/SrgbColor.h"
#include "views/ViewColor.h"

namespace ViewPalette {

/// `role` with its own alpha multiplied by `opacity` (0 to 1).
QColor color(ViewColor role, double opacity = 1.0);
QColor color(const SrgbColor& srgb);

/// The card's fill, top and bottom of its gradient.
QColor materialTop();
QColor materialBottom();
/// The hairline between the card's sections, before the divider opacity.
QColor separator();

}  // namespace ViewPalette
