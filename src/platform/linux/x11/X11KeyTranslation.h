// Translates the macOS key codes and modifier masks the core speaks into X11
// keysyms and modifier masks, so no X11 detail leaks into the core.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace X11KeyTranslation {

/// The keysym of the key that a macOS virtual key code names on the ANSI
/// layout (letters and digits, and Help as Insert); nothing for any other
/// code.
std::optional<unsigned long> keysymForVirtualKey(std::uint16_t virtualKey);

/// Carbon hot-key modifiers as an X11 modifier mask: Command becomes Super
/// (Mod4), Shift stays Shift, Option becomes Alt (Mod1), Control stays
/// Control. Nothing when the mask holds a bit that has no counterpart.
std::optional<unsigned> grabModifiersForCarbon(std::uint32_t carbonModifiers);

/// The modifier keys a synthetic key event with these Core Graphics flags
/// holds down, as keysyms in pressing order. Command maps to Control, the
/// Linux paste modifier, so Command and Control together give one Control.
std::vector<unsigned long> modifierKeysymsForFlags(std::uint64_t flags);

}  // namespace X11KeyTranslation
