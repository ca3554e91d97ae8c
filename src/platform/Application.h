// This application as a whole: bringing it to the front and ending it.
#pragma once

class Application {
 public:
  virtual ~Application() = default;
  /// Activates this application, ignoring other applications.
  virtual void activateIgnoringOtherApps() = 0;
  /// Asks the application to terminate (the event loop ends).
  virtual void terminate() = 0;
};
