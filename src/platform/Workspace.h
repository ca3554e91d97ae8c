// The desktop around us: which application is in front, and handing URLs to
// the system (NSWorkspace on macOS, EWMH and xdg-open on Linux).
#pragma once

#include <memory>
#include <string>

#include "platform/RunningApplication.h"

class Workspace {
 public:
  virtual ~Workspace() = default;
  /// The application receiving key events; nothing when none is known.
  virtual std::shared_ptr<RunningApplication> frontmostApplication() = 0;
  /// Opens `url` with the system's handler; false when it is not a valid URL
  /// or nothing could open it.
  virtual bool openURL(const std::string& url) = 0;
};
