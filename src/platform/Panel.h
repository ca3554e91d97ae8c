// A floating panel on screen (an NSPanel subclass on macOS, a frameless
// top-level window on Linux). Destroying it closes it.
#pragma once

#include "platform/Geometry.h"

class PanelDelegate;

class Panel {
 public:
  virtual ~Panel() = default;

  /// Not owned; told about focus changes until replaced or until the panel is
  /// destroyed. Nothing is called when it is null.
  virtual void setDelegate(PanelDelegate* delegate) = 0;
  virtual Rect2D frame() const = 0;
  virtual void setFrameOrigin(Point2D origin) = 0;
  /// Does ahead of time, while hidden, what the first showing would do but
  /// not put it on screen nor move the focus, so that showing only maps it.
  /// Panels with nothing worth doing early ignore it.
  virtual void prepare() {}
  virtual void makeKeyAndOrderFront() = 0;
  /// Removes it from the screen; it keeps its contents and can be shown again.
  virtual void orderOut() = 0;
  virtual bool isVisible() const = 0;
};
