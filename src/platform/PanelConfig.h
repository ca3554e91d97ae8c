// How a floating panel is built. One value carries every property, so each
// backend applies the same set and tests can compare it as a whole.
#pragma once

#include <cstdint>

#include "platform/Geometry.h"

struct PanelConfig {
  /// Also the frame of the view hosted as the panel's content.
  Rect2D contentRect;
  /// AppKit's NSWindowStyleMaskNonactivatingPanel: the panel takes the keys
  /// without making its application active.
  static constexpr std::uint64_t nonactivatingPanel = 1U << 7;

  /// AppKit's NSWindowStyleMask; 0 is borderless.
  std::uint64_t styleMask = 0;
  /// AppKit's NSBackingStoreType; 2 is buffered.
  std::uint64_t backing = 2;
  bool defer = false;
  bool opaque = false;
  /// A clear background, so only what the hosted view draws is visible.
  bool clearBackground = true;
  bool hasShadow = true;
  /// AppKit's window level; 3 is the floating level.
  std::int64_t level = 3;
  bool movableByWindowBackground = false;
  bool hidesOnDeactivate = false;
  bool releasedWhenClosed = false;
  /// AppKit's NSWindowCollectionBehavior mask.
  std::uint64_t collectionBehavior = 0;
  /// A borderless panel must say so explicitly to take keyboard focus.
  bool canBecomeKey = true;
  bool canBecomeMain = true;

  friend bool operator==(const PanelConfig&, const PanelConfig&) = default;
};
