// Where the popup goes: its top edge at the pointer, centred on it, kept
// 8 points inside the visible frame of the screen under the pointer.
#pragma once

#include <optional>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Screen.h"

/// The gap kept between the panel and the edges of the visible frame.
inline constexpr double panelScreenMargin = 8;

/// The new origin for a panel of `panelSize` with the pointer at `mouse`, on
/// the first of `screens` whose frame holds the pointer, else on
/// `mainScreen`. Nothing when there is neither: the panel stays where it is.
/// On a visible frame too small for the panel and both margins, the right
/// and top margins win.
std::optional<Point2D> panelOrigin(const std::vector<Screen>& screens,
                                 const std::optional<Screen>& mainScreen, Point2D mouse,
                                 Size2D panelSize);
