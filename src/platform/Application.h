// This application as a whole: bringing it to the front, stepping back, and
// ending it.
#pragma once

class Application {
 public:
  virtual ~Application() = default;
  /// Activates this application, ignoring other applications.
  virtual void activateIgnoringOtherApps() = 0;
  /// Hides this application's windows and lets the system give the focus to
  /// the application behind it.
  virtual void hide() = 0;
  /// Undoes `hide` without taking the focus, so that a window of ours can be
  /// shown again; nothing when this application is not hidden.
  virtual void unhideWithoutActivation() = 0;
  virtual int processIdentifier() const = 0;
  /// Asks the application to terminate (the event loop ends).
  virtual void terminate() = 0;
};
