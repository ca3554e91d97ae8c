// How an ordinary titled window is built. One value carries every property,
// so each backend applies the same set and tests can compare it as a whole.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Geometry.h"

struct WindowConfig {
  /// AppKit's NSWindowStyleMask bits.
  static constexpr std::uint64_t titled = 1;
  static constexpr std::uint64_t closable = 2;
  static constexpr std::uint64_t miniaturizable = 4;
  static constexpr std::uint64_t resizable = 8;
  static constexpr std::uint64_t fullSizeContentView = 1U << 15U;

  /// Also the frame of the view hosted as the window's content.
  Rect2D contentRect;
  std::uint64_t styleMask = titled;
  /// AppKit's NSBackingStoreType; 2 is buffered.
  std::uint64_t backing = 2;
  bool defer = false;
  std::string title;
  /// AppKit's NSWindowTitleVisibility: 0 visible, 1 hidden.
  int titleVisibility = 0;
  /// Lets the content run under the title bar.
  bool titlebarAppearsTransparent = false;
  bool movableByWindowBackground = false;
  /// False keeps the window alive after the user closes it, so it can be
  /// shown again.
  bool releasedWhenClosed = true;

  friend bool operator==(const WindowConfig&, const WindowConfig&) = default;
};
