// Every measure, text style and colour of the About window, written once for
// both front ends.
#pragma once

#include <cstdint>

#include "app/Brand.h"
#include "app/SrgbColor.h"
#include "app/TextStyle.h"
#include "platform/Geometry.h"

namespace AboutMetrics {

inline constexpr SrgbColor white{1.0, 1.0, 1.0, 1.0};
inline constexpr SrgbColor black{0.0, 0.0, 0.0, 1.0};

/// Window and content size; the content is centred in it.
inline constexpr Size2D windowSize{400, 390};
/// Titled, closable, full-size content view: not resizable or miniaturizable.
inline constexpr std::uint64_t windowStyleMask = 32771;
/// Around the content on all four edges.
inline constexpr double padding = 28;
/// A top-to-bottom gradient behind everything, title bar included.
inline constexpr SrgbColor backgroundTop{0.06, 0.08, 0.07, 1.0};
inline constexpr SrgbColor backgroundBottom{0.02, 0.03, 0.03, 1.0};

/// Between the wordmark, the name block, the tagline, the button and the
/// rights notice.
inline constexpr double stackSpacing = 14;

/// The wordmark image is scaled to fit within this size, keeping its aspect.
inline constexpr Size2D wordmarkMaxSize{210, 96};
/// The text shown when there is no wordmark image.
inline constexpr TextStyle wordmarkFallbackStyle{TextStyle::Font::system, 46,
                                                 TextStyle::Weight::bold, false, Brand::green};

/// Between the product name and the version line.
inline constexpr double nameStackSpacing = 3;
inline constexpr TextStyle nameStyle{TextStyle::Font::title2, 0, TextStyle::Weight::bold, false,
                                     white};
inline constexpr TextStyle versionStyle{TextStyle::Font::caption, 0, TextStyle::Weight::regular,
                                        false, white.withOpacity(0.5)};

/// Centred line by line, wrapped to its full height, never truncated.
inline constexpr TextStyle taglineStyle{TextStyle::Font::callout, 0, TextStyle::Weight::regular,
                                        true, white.withOpacity(0.78)};
inline constexpr double taglineHorizontalPadding = 6;

/// A plain button drawn as a rounded green capsule with black text.
inline constexpr TextStyle buttonLabelStyle{TextStyle::Font::system, 0, TextStyle::Weight::semibold,
                                            false, black};
inline constexpr double buttonHorizontalPadding = 22;
inline constexpr double buttonVerticalPadding = 9;
inline constexpr double buttonCornerRadius = 9;
inline constexpr SrgbColor buttonBackground = Brand::green;

inline constexpr TextStyle rightsStyle{TextStyle::Font::caption2, 0, TextStyle::Weight::regular,
                                       false, white.withOpacity(0.4)};

}  // namespace AboutMetrics
