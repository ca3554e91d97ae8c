// Activation by EWMH client message, or by focus when no window manager runs.
#include "platform/linux/x11/X11RunningApplication.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/linux/x11/X11ErrorTrap.h"
#include "platform/linux/x11/X11Properties.h"

namespace {

// A compliant window manager names its check window on the root window.
bool windowManagerRuns(Display* display) {
  return X11Properties::rootWindowProperty(display, "_NET_SUPPORTING_WM_CHECK").has_value();
}

}  // namespace

bool X11RunningApplication::activate() {
  if (display_ == nullptr || window_ == None) {
    return false;
  }
  X11ErrorTrap trap(display_);
  if (windowManagerRuns(display_)) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // source: a pager, which window managers obey
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, DefaultRootWindow(display_), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
  } else {
    XRaiseWindow(display_, window_);
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
  }
  // A window manager never says no; only a window that is gone fails.
  return trap.sync();
}

bool X11RunningApplication::isActive() const {
  if (display_ == nullptr || window_ == None) {
    return false;
  }
  return X11Properties::rootWindowProperty(display_, "_NET_ACTIVE_WINDOW") == window_;
}
