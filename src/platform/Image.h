// An image the window system can draw (NSImage on macOS, a QImage-backed
// icon on Linux). The core only passes it around and sets how it is drawn.
#pragma once

#include "platform/Geometry.h"

class Image {
 public:
  virtual ~Image() = default;
  /// A template image is drawn in the colour of its surroundings (the menu
  /// bar's text colour); only its alpha channel counts.
  virtual void setTemplate(bool isTemplate) = 0;
  /// The size it is drawn at, in points.
  virtual void setSize(Size2D size) = 0;
};
