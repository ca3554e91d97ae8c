// What the application object tells its delegate.
#pragma once

class ApplicationDelegate {
 public:
  virtual ~ApplicationDelegate() = default;
  /// Once, from the event loop, after start-up; windows and the status bar
  /// are usable from here on.
  virtual void applicationDidFinishLaunching() = 0;
  /// The user started the application again (from the Finder, Spotlight or
  /// `open`) while it runs; the system has made it active for that.
  virtual void applicationShouldHandleReopen() = 0;
  /// Once, from the event loop, when the application ends by Quit or at the
  /// system's request (SIGTERM, log-out); work still under way may finish
  /// here, for a bounded time.
  virtual void applicationWillTerminate() {}
};
