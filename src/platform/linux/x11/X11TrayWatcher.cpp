// Selection-owner notifications from XFixes, for the tray selection only.
#include "platform/linux/x11/X11TrayWatcher.h"

// Qt before Xlib, whose macros (Bool, Status) break Qt's headers.
#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <string>

X11TrayWatcher::X11TrayWatcher() : display_(XOpenDisplay(nullptr)) {
  if (display_ == nullptr) {
    return;
  }
  int errorBase = 0;
  if (XFixesQueryExtension(display_, &eventBase_, &errorBase) == False) {
    return;
  }
  const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(display_));
  const Atom selection = XInternAtom(display_, name.c_str(), False);
  XFixesSelectSelectionInput(display_, DefaultRootWindow(display_), selection,
                             XFixesSetSelectionOwnerNotifyMask);
  XFlush(display_);
  notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
}

X11TrayWatcher::~X11TrayWatcher() {
  notifier_.reset();
  if (display_ != nullptr) {
    XCloseDisplay(display_);
  }
}

void X11TrayWatcher::readEvents() {
  bool appeared = false;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == eventBase_ + XFixesSelectionNotify) {
      // A tray that quits leaves the selection without an owner.
      appeared =
          appeared || reinterpret_cast<const XFixesSelectionNotifyEvent&>(event).owner != None;
    }
  }
  if (appeared && onTrayAppeared) {
    onTrayAppeared();
  }
}
