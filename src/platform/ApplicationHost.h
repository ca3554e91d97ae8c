// The application object as the entry point drives it (NSApplication on
// macOS, QApplication on Linux): its delegate, its activation policy and its
// event loop.
#pragma once

class ApplicationDelegate;

class ApplicationHost {
 public:
  /// NSApplicationActivationPolicy's values.
  enum class ActivationPolicy { regular = 0, accessory = 1, prohibited = 2 };

  virtual ~ApplicationHost() = default;
  /// Not owned: the caller keeps the delegate alive for the whole run.
  virtual void setDelegate(ApplicationDelegate* delegate) = 0;
  /// `accessory`: no Dock icon and no application menu, but windows may show.
  virtual void setActivationPolicy(ActivationPolicy policy) = 0;
  /// Runs the event loop until the application terminates; the exit status.
  virtual int run() = 0;
};
