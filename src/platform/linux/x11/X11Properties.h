// Reading window-valued properties of the root window (EWMH hints).
#pragma once

#include <X11/Xlib.h>

#include <optional>

namespace X11Properties {

/// The window that the root window's property `name` holds, or nothing when
/// it is unset, malformed or None.
std::optional<Window> rootWindowProperty(Display* display, const char* name);

}  // namespace X11Properties
