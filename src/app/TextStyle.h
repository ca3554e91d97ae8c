// How one piece of text is set: the system's text style (or the system font
// at a fixed size), weight, slant and colour. Front ends map the styles to
// their nearest fonts.
#pragma once

#include "app/SrgbColor.h"

struct TextStyle {
  /// The platform's dynamic text styles; `system` uses `pointSize`.
  enum class Font { system, title2, callout, caption, caption2 };
  enum class Weight { regular, semibold, bold };

  Font font = Font::system;
  double pointSize = 0;
  Weight weight = Weight::regular;
  bool italic = false;
  SrgbColor color;

  friend bool operator==(const TextStyle&, const TextStyle&) = default;
};
