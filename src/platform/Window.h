// An ordinary window on screen (NSWindow on macOS, a top-level widget on
// Linux). Closing it by its close button only hides it when it is not
// released when closed; destroying the object removes it.
#pragma once

#include <functional>

class Window {
 public:
  virtual ~Window() = default;
  /// Places it in the middle of the main screen, slightly above centre.
  virtual void center() = 0;
  virtual void makeKeyAndOrderFront() = 0;
  /// Called each time the user closes it (close button, Escape or
  /// Command-W), not when the object is destroyed.
  virtual void setOnClose(std::function<void()> onClose) = 0;
};
