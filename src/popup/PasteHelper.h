// Posts one synthetic paste keystroke (key down, then key up) to the HID
// event tap: Command-V, or the one the window in front pastes with.
#pragma once

#include <cstdint>

#include "popup/PasteKeystroke.h"

class KeyEventPoster;
class KeyboardLayout;

namespace PasteHelper {

inline constexpr std::int32_t eventSourceState = 0;  // combined session state
/// The V key of the ANSI layout, for when the layout names no key for "v".
inline constexpr std::uint16_t virtualKeyV = 9;
inline constexpr std::uint64_t commandFlag = PasteKeystroke::commandFlag;
inline constexpr std::uint32_t hidEventTap = 0;

/// The key that types "v" in the current layout: the paste keystroke's and
/// the hot key's, so both stay Command-V on layouts such as Dvorak.
std::uint16_t keyCodeForV(KeyboardLayout& layout);

/// Checks nothing and reports nothing; an event that cannot be created is
/// skipped.
void paste(KeyEventPoster& poster, KeyboardLayout& layout,
           const PasteKeystroke& keystroke = PasteKeystroke::usual());

}  // namespace PasteHelper
