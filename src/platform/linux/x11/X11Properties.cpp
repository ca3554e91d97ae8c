#include "platform/linux/x11/X11Properties.h"

#include <X11/Xatom.h>

namespace X11Properties {

std::optional<Window> rootWindowProperty(Display* display, const char* name) {
  const Atom property = XInternAtom(display, name, False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display, DefaultRootWindow(display), property, 0, 1, False,
                                        XA_WINDOW, &type, &format, &count, &remaining, &data);
  std::optional<Window> window;
  if (status == Success && type == XA_WINDOW && format == 32 && count == 1 && data != nullptr) {
    const Window value = *reinterpret_cast<Window*>(data);
    if (value != None) {
      window = value;
    }
  }
  if (data != nullptr) {
    XFree(data);
  }
  return window;
}

}  // namespace X11Properties
