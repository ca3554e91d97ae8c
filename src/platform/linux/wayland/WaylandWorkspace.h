// The desktop on Wayland: the window in front as the compositor lists it
// where it does, else what the X11 workspace sees through XWayland.
#pragma once

#include "platform/Workspace.h"

class WaylandToplevels;

class WaylandWorkspace : public Workspace {
 public:
  /// Both must outlive this object.
  WaylandWorkspace(Workspace& xwayland, WaylandToplevels& toplevels)
      : xwayland_(xwayland), toplevels_(toplevels) {}

  /// An XWayland window in front comes from the X11 workspace; a Wayland
  /// one is named by its app id, which is also its window class, and cannot
  /// be activated by us (the compositor hands the focus back on its own).
  std::shared_ptr<RunningApplication> frontmostApplication() override;
  std::shared_ptr<RunningApplication> lastActiveOtherApplication() override {
    return xwayland_.lastActiveOtherApplication();
  }
  bool isVoiceOverEnabled() override { return xwayland_.isVoiceOverEnabled(); }
  bool openURL(const std::string& url) override { return xwayland_.openURL(url); }

 private:
  Workspace& xwayland_;
  WaylandToplevels& toplevels_;
};
