// The popup's panel: borderless and floating, yet able to take keyboard
// focus for the search field and the list keys. Backends build it from this
// value (on macOS an NSPanel subclass that answers yes to canBecomeKey and
// canBecomeMain).
#pragma once

#include "platform/PanelConfig.h"

namespace KeyablePanel {

inline constexpr double width = 440;
inline constexpr double height = 560;
/// Join all spaces (1) plus full-screen auxiliary (256): the popup opens on
/// the current space, also over a full-screen application.
inline constexpr std::uint64_t collectionBehavior = 0x101;

/// Every property the popup's panel is built with.
PanelConfig config();

}  // namespace KeyablePanel
