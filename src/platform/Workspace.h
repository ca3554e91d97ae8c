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
  /// The application other than this process that the system last made
  /// active; nothing when none is known. What was in front before one of our
  /// own windows came forward.
  virtual std::shared_ptr<RunningApplication> lastActiveOtherApplication() = 0;
  /// Whether a screen reader that follows the active application (VoiceOver)
  /// is running.
  virtual bool isVoiceOverEnabled() = 0;
  /// Opens `url` with the system's handler; false when it is not a valid URL
  /// or nothing could open it.
  virtual bool openURL(const std::string& url) = 0;
};
