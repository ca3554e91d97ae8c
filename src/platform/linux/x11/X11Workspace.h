// The desktop through EWMH: the active window as the frontmost application,
// and URLs handed to the desktop's handler through Qt.
#pragma once

#include "platform/Workspace.h"

struct _XDisplay;

class X11Workspace : public Workspace {
 public:
  /// Opens its own connection to the display named by $DISPLAY.
  X11Workspace();
  ~X11Workspace() override;
  X11Workspace(const X11Workspace&) = delete;
  X11Workspace& operator=(const X11Workspace&) = delete;

  /// _NET_ACTIVE_WINDOW, or the input focus's top-level window when no
  /// window manager sets it. Named by WM_CLASS (the application's class),
  /// else _NET_WM_NAME, else WM_NAME.
  std::shared_ptr<RunningApplication> frontmostApplication() override;
  /// False for macOS settings addresses, which have no page on Linux, and
  /// for text that is no absolute URL.
  bool openURL(const std::string& url) override;

 private:
  _XDisplay* display_ = nullptr;
};
