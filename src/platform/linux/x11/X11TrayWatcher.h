// Notices a system tray starting on this screen: the tray takes the screen's
// _NET_SYSTEM_TRAY_S<n> selection, and XFixes reports the new owner on an
// Xlib connection of our own that a socket notifier watches from the Qt loop.
#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;
struct _XDisplay;  // NOLINT(bugprone-reserved-identifier): Xlib names it

class X11TrayWatcher {
 public:
  /// Opens its own connection to the display named by $DISPLAY; without one,
  /// or without XFixes, no tray is ever reported.
  X11TrayWatcher();
  ~X11TrayWatcher();
  X11TrayWatcher(const X11TrayWatcher&) = delete;
  X11TrayWatcher& operator=(const X11TrayWatcher&) = delete;

  /// Called each time a tray takes the selection.
  std::function<void()> onTrayAppeared;

 private:
  void readEvents();

  _XDisplay* display_ = nullptr;
  int eventBase_ = 0;
  std::unique_ptr<QSocketNotifier> notifier_;
};
