// What the application object tells its delegate.
#pragma once

class ApplicationDelegate {
 public:
  virtual ~ApplicationDelegate() = default;
  /// Once, from the event loop, after start-up; windows and the status bar
  /// are usable from here on.
  virtual void applicationDidFinishLaunching() = 0;
};
