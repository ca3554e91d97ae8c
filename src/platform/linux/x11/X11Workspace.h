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
  /// Nothing: activations are not watched here, so a window of ours in
  /// front keeps the application remembered before it.
  std::shared_ptr<RunningApplication> lastActiveOtherApplication() override { return nullptr; }
  /// False: screen readers here follow the focused window, which the popup
  /// takes anyway.
  bool isVoiceOverEnabled() override { return false; }
  /// False for macOS settings addresses, which have no page on Linux, and
  /// for text that is no absolute URL.
  bool openURL(const std::string& url) override;

 private:
  _XDisplay* display_ = nullptr;
};
