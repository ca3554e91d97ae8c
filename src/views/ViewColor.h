// The colours the popup's content asks for, by role. Each front end maps a role
// to its toolkit's colour (secondary and tertiary are the platform's
// hierarchical text styles); only the brand green is fixed, by Brand, because
// it must look the same everywhere.
#pragma once

#include "app/Brand.h"

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

/// The brand green's sRGB components from 0 to 1, as the front ends read them.
namespace BrandGreen {
inline constexpr double red = Brand::green.red;
inline constexpr double green = Brand::green.green;
inline constexpr double blue = Brand::green.blue;
inline constexpr double alpha = Brand::green.opacity;
}  // namespace BrandGreen
