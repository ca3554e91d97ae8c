// A colour as plain sRGB components from 0 to 1, which each front end turns
// into its own colour type.
#pragma once

struct SrgbColor {
  double red = 0;
  double green = 0;
  double blue = 0;
  double opacity = 1;

  /// The same colour with another opacity.
  constexpr SrgbColor withOpacity(double newOpacity) const {
    return {red, green, blue, newOpacity};
  }

  friend bool operator==(const SrgbColor&, const SrgbColor&) = default;
};
