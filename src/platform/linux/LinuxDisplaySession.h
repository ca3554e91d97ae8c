// The process environment and a short-lived connection to the Wayland
// compositor, asked once at start before Qt picks its platform.
#pragma once

#include "platform/DisplaySession.h"

class LinuxDisplaySession : public DisplaySession {
 public:
  std::optional<std::string> environmentVariable(const std::string& name) const override;
  /// One round trip on a connection of its own, closed again before
  /// returning.
  std::optional<std::vector<std::string>> waylandGlobals() override;
};
