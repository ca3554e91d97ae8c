// The graphical session the Linux application starts in: the environment
// that names its displays, and what the Wayland compositor offers, which
// together decide between the Wayland and the X11 backends.
#pragma once

#include <optional>
#include <string>
#include <vector>

class DisplaySession {
 public:
  virtual ~DisplaySession() = default;

  /// The value of the environment variable `name`; nothing when unset.
  virtual std::optional<std::string> environmentVariable(const std::string& name) const = 0;
  /// The interface names of the globals the compositor named by
  /// WAYLAND_DISPLAY announces; nothing when no connection could be made.
  virtual std::optional<std::vector<std::string>> waylandGlobals() = 0;
};
