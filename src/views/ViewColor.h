// The colours the popup's content asks for, by role. Each front end maps a role
// to its toolkit's colour (secondary and tertiary are the platform's
// hierarchical text styles); only the brand green is fixed here, as sRGB
// components, because it must look the same everywhere.
#pragma once

enum class ViewColor {
  primary,
  secondary,
  tertiary,
  purple,
  green,
  orange,
  red,
  white,
  black,
  clear
};

/// The brand green, #00FF91, in sRGB components from 0 to 1.
namespace BrandGreen {
inline constexpr double red = 0.0;
inline constexpr double green = 1.0;
inline constexpr double blue = 145.0 / 255.0;
inline constexpr double alpha = 1.0;
}  // namespace BrandGreen
