// A scoped Xlib error handler. Xlib's handler is process-wide, so the trap
// records into one slot; traps are only used on the main thread and never
// nested.
#include "platform/linux/x11/X11ErrorTrap.h"

#include <X11/Xlib.h>

namespace {

int trappedError = 0;
XErrorHandler previousHandler = nullptr;

int recordError(Display* /*display*/, XErrorEvent* event) {
  if (trappedError == 0) {
    trappedError = event->error_code;
  }
  return 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(_XDisplay* display) : display_(display) {
  XSync(display_, False);
  trappedError = 0;
  previousHandler = XSetErrorHandler(recordError);
}

X11ErrorTrap::~X11ErrorTrap() {
  XSync(display_, False);
  XSetErrorHandler(previousHandler);
}

bool X11ErrorTrap::sync() {
  XSync(display_, False);
  return trappedError == 0;
}

int X11ErrorTrap::firstError() const {
  return trappedError;
}
