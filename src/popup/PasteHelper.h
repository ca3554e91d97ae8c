// Posts one synthetic Command-V (key down, then key up) to the HID event tap.
#pragma once

#include <cstdint>

class KeyEventPoster;

namespace PasteHelper {

inline constexpr std::int32_t eventSourceState = 0;  // combined session state
inline constexpr std::uint16_t virtualKeyV = 9;
inline constexpr std::uint64_t commandFlag = 0x100000;
inline constexpr std::uint32_t hidEventTap = 0;

/// Checks nothing and reports nothing; an event that cannot be created is
/// skipped.
void paste(KeyEventPoster& poster);

}  // namespace PasteHelper
