// Reading the active window and its names from X properties.
#include "platform/linux/x11/X11Workspace.h"

// Qt before Xlib, whose macros (Bool, Status) break Qt's headers.
#include <QDesktopServices>
#include <QUrl>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <optional>
#include <string>

#include "platform/linux/x11/X11ErrorTrap.h"
#include "platform/linux/x11/X11Properties.h"
#include "platform/linux/x11/X11RunningApplication.h"

namespace {

// The child of the root window that holds `window` (the client's own
// top-level window when no window manager reparents it).
std::optional<Window> topLevelOf(Display* display, Window window) {
  const Window root = DefaultRootWindow(display);
  while (window != None && window != root) {
    Window rootReturn = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, window, &rootReturn, &parent, &children, &count) == 0) {
      return std::nullopt;
    }
    if (children != nullptr) {
      XFree(children);
    }
    if (parent == root) {
      return window;
    }
    window = parent;
  }
  return std::nullopt;
}

std::optional<Window> focusedTopLevel(Display* display) {
  Window focus = None;
  int revertTo = 0;
  XGetInputFocus(display, &focus, &revertTo);
  if (focus == None || focus == PointerRoot) {
    return std::nullopt;
  }
  return topLevelOf(display, focus);
}

std::optional<std::string> utf8Property(Display* display, Window window, const char* name) {
  const Atom property = XInternAtom(display, name, False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display, window, property, 0, 1024, False, utf8, &type,
                                        &format, &count, &remaining, &data);
  std::optional<std::string> text;
  if (status == Success && type == utf8 && format == 8 && count > 0 && data != nullptr) {
    text = std::string(reinterpret_cast<const char*>(data), count);
  }
  if (data != nullptr) {
    XFree(data);
  }
  return text;
}

std::optional<std::string> className(Display* display, Window window) {
  XClassHint hint{};
  if (XGetClassHint(display, window, &hint) == 0) {
    return std::nullopt;
  }
  std::optional<std::string> name;
  if (hint.res_class != nullptr && hint.res_class[0] != '\0') {
    name = hint.res_class;
  }
  if (hint.res_name != nullptr) {
    XFree(hint.res_name);
  }
  if (hint.res_class != nullptr) {
    XFree(hint.res_class);
  }
  return name;
}

std::optional<std::string> legacyName(Display* display, Window window) {
  char* name = nullptr;
  if (XFetchName(display, window, &name) == 0 || name == nullptr) {
    return std::nullopt;
  }
  std::string text(name);
  XFree(name);
  if (text.empty()) {
    return std::nullopt;
  }
  return text;
}

std::optional<std::string> applicationName(Display* display, Window window) {
  if (auto name = className(display, window)) {
    return name;
  }
  if (auto name = utf8Property(display, window, "_NET_WM_NAME")) {
    return name;
  }
  return legacyName(display, window);
}

// A frame without the name may have it on its reparented child; with no
// window manager the top-level window is the client's own.
std::optional<std::string> fromWindowOrChild(Display* display, Window window,
                                             std::optional<std::string> (*read)(Display* display,
                                                                                Window window)) {
  if (auto name = read(display, window)) {
    return name;
  }
  Window root = None;
  Window parent = None;
  Window* children = nullptr;
  unsigned count = 0;
  std::optional<std::string> name;
  if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
    for (unsigned i = 0; i < count && !name; ++i) {
      name = read(display, children[i]);
    }
  }
  if (children != nullptr) {
    XFree(children);
  }
  return name;
}

std::optional<int> pidOf(Display* display, Window window) {
  const Atom property = XInternAtom(display, "_NET_WM_PID", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format,
                         &count, &remaining, &data) != Success) {
    return std::nullopt;
  }
  std::optional<int> pid;
  if (type == XA_CARDINAL && format == 32 && count == 1 && data != nullptr) {
    // Xlib hands 32-bit items back as longs.
    pid = static_cast<int>(*reinterpret_cast<const long*>(data));
  }
  if (data != nullptr) {
    XFree(data);
  }
  return pid;
}

}  // namespace

X11Workspace::X11Workspace() : display_(XOpenDisplay(nullptr)) {}

X11Workspace::~X11Workspace() {
  if (display_ != nullptr) {
    XCloseDisplay(display_);
  }
}

std::shared_ptr<RunningApplication> X11Workspace::frontmostApplication() {
  if (display_ == nullptr) {
    return nullptr;
  }
  // The window may vanish between any two of these requests.
  X11ErrorTrap trap(display_);
  std::optional<Window> window = X11Properties::rootWindowProperty(display_, "_NET_ACTIVE_WINDOW");
  if (!window) {
    window = focusedTopLevel(display_);
  }
  if (!window) {
    return nullptr;
  }
  std::optional<std::string> name = fromWindowOrChild(display_, *window, applicationName);
  std::optional<std::string> windowClass = fromWindowOrChild(display_, *window, className);
  std::optional<int> pid = pidOf(display_, *window);
  if (!trap.sync()) {
    return nullptr;
  }
  return std::make_shared<X11RunningApplication>(display_, *window, std::move(name),
                                                 std::move(windowClass), pid);
}

bool X11Workspace::openURL(const std::string& url) {
  const QUrl parsed(QString::fromStdString(url), QUrl::StrictMode);
  if (!parsed.isValid() || parsed.scheme().isEmpty()) {
    return false;
  }
  return QDesktopServices::openUrl(parsed);
}
