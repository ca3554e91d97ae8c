// The popup's and the About window's measures and roles turned into AppKit
// values: system fonts from FontSpec, colours from ViewColor and SrgbColor,
// SF Symbols at a font size, and plain labels. Only for the backend's
// Objective-C++ files.
#pragma once

#import <AppKit/AppKit.h>

#include <string>
#include <string_view>

#include "app/SrgbColor.h"
#include "views/ViewColor.h"
#include "views/ViewMetrics.h"

namespace MacViewStyle {

/// The system font at the fontSpec's size and weight, rounded when asked.
NSFont* _Nonnull font(const FontSpec& fontSpec);
/// The role's colour, with its alpha replaced by `opacity` when that is below
/// 1 (controls dimmed as a whole use their alphaValue instead). Secondary and
/// tertiary are the label colours, so they follow light and dark mode.
NSColor* _Nonnull color(ViewColor role, double opacity = 1.0);
NSColor* _Nonnull color(const SrgbColor& srgb);
/// The brand green from its sRGB components.
NSColor* _Nonnull brandGreen(double opacity = 1.0);
/// The keyboard focus ring: black at 85 % in the light appearance, opaque
/// white in the dark one, so that it stands out at least 3:1 from the card
/// and from the red of the clear button in both. The system's ring, a
/// translucent accent colour, does not.
NSColor* _Nonnull focusRing();

/// UTF-8 to NSString; text that is not valid UTF-8 shows as empty.
NSString* _Nonnull string(std::string_view text);

/// The named SF Symbol configured for `fontSpec`'s size and weight, as a
/// template image (tinted by the control showing it); nil when the system
/// has no such symbol.
NSImage* _Nullable symbol(std::string_view name, const FontSpec& fontSpec);

/// A non-editable, non-selectable, single-line label without bezel or
/// background.
NSTextField* _Nonnull label(std::string_view text, NSFont* _Nonnull font,
                            NSColor* _Nonnull textColor);
/// The height of one line of `font` as a text field lays it out.
CGFloat lineHeight(NSFont* _Nonnull font);
/// A single-line label's natural size, rounded up to whole points.
NSSize fittingSize(NSTextField* _Nonnull label);

/// Insets as AppKit edge insets.
NSEdgeInsets edgeInsets(const Insets& insets);

}  // namespace MacViewStyle
