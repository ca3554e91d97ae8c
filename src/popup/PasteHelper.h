// Posts one synthetic Command-V (key down, then key up) to the HID event tap.
#pragma once

#include <cstdint>

class KeyEventPoster;
class KeyboardLayout;

namespace PasteHelper {

inline constexpr std::int32_t eventSourceState = 0;  // combined session state
/// The V key of the ANSI layout, for when the layout names no key for "v".
inline constexpr std::uint16_t virtualKeyV = 9;
inline constexpr std::uint64_t commandFlag = 0x100000;
inline constexpr std::uint32_t hidEventTap = 0;

/// The key that types "v" in the current layout: the paste keystroke's and
/// the hot key's, so both stay Command-V on layouts such as Dvorak.
std::uint16_t keyCodeForV(KeyboardLayout& layout);

/// Checks nothing and reports nothing; an event that cannot be created is
/// skipped.
void paste(KeyEventPoster& poster, KeyboardLayout& layout);

}  // namespace PasteHelper
