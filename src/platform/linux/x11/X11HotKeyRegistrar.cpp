// Passive grabs of one key combination on the root window. Xlib's connection
// is separate from Qt's, so the grabs and their events never mix with the
// widgets' own input.
#include "platform/linux/x11/X11HotKeyRegistrar.h"

// Qt before Xlib, whose macros (Bool, Status) break Qt's headers.
#include <QSocketNotifier>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include "platform/linux/x11/X11ErrorTrap.h"
#include "platform/linux/x11/X11KeyTranslation.h"

namespace {

// The application's event target: one per registrar, any stable address.
char applicationTarget;

// The modifier bit Num Lock is mapped to on this server (usually Mod2).
unsigned numLockMask(Display* display) {
  const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
  if (numLock == 0) {
    return 0;
  }
  XModifierKeymap* map = XGetModifierMapping(display);
  if (map == nullptr) {
    return 0;
  }
  unsigned mask = 0;
  for (int modifier = 0; modifier < 8; ++modifier) {
    for (int key = 0; key < map->max_keypermod; ++key) {
      if (map->modifiermap[modifier * map->max_keypermod + key] == numLock) {
        mask = 1U << static_cast<unsigned>(modifier);
      }
    }
  }
  XFreeModifiermap(map);
  return mask;
}

}  // namespace

X11HotKeyRegistrar::X11HotKeyRegistrar() : display_(XOpenDisplay(nullptr)) {
  if (display_ == nullptr) {
    return;
  }
  // Key repeat would otherwise read as a stream of presses.
  XkbSetDetectableAutoRepeat(display_, True, nullptr);
  notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
}

X11HotKeyRegistrar::~X11HotKeyRegistrar() {
  notifier_.reset();
  if (display_ == nullptr) {
    return;
  }
  for (const auto& [ref, grab] : grabs_) {
    ungrab(*grab);
  }
  XCloseDisplay(display_);
}

HotKeyRegistrar::EventTargetRef X11HotKeyRegistrar::applicationEventTarget() {
  return &applicationTarget;
}

std::int32_t X11HotKeyRegistrar::installEventHandler(EventTargetRef target,
                                                     EventHandlerProc handler,
                                                     std::uint32_t typeCount,
                                                     const EventTypeSpec* types, void* userData,
                                                     EventHandlerRef* outRef) {
  if (target != &applicationTarget || handler == nullptr || (typeCount > 0 && types == nullptr)) {
    return paramError;
  }
  auto installed = std::make_unique<Handler>(Handler{handler, userData, false});
  for (std::uint32_t i = 0; i < typeCount; ++i) {
    installed->wantsHotKeys =
        installed->wantsHotKeys ||
        (types[i].eventClass == keyboardEventClass && types[i].eventKind == hotKeyPressedKind);
  }
  void* ref = installed.get();
  handlers_[ref] = std::move(installed);
  if (outRef != nullptr) {
    *outRef = ref;
  }
  return 0;
}

std::vector<unsigned> X11HotKeyRegistrar::lockVariants() const {
  const unsigned numLock = numLockMask(display_);
  std::vector<unsigned> variants{0, LockMask};
  if (numLock != 0) {
    variants.push_back(numLock);
    variants.push_back(numLock | LockMask);
  }
  return variants;
}

std::int32_t X11HotKeyRegistrar::registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                                     HotKeyID id, EventTargetRef target,
                                                     std::uint32_t /*options*/, HotKeyRef* outRef) {
  if (display_ == nullptr || target != &applicationTarget) {
    return paramError;
  }
  const std::optional<unsigned long> keysym =
      X11KeyTranslation::keysymForVirtualKey(static_cast<std::uint16_t>(keyCode));
  const std::optional<unsigned> mask = X11KeyTranslation::grabModifiersForCarbon(modifiers);
  if (!keysym || !mask) {
    return hotKeyUnavailable;
  }
  const KeyCode keycode = XKeysymToKeycode(display_, *keysym);
  if (keycode == 0) {
    return hotKeyUnavailable;
  }
  auto grab = std::make_unique<Grab>(Grab{id, keycode, *mask});
  const Window root = DefaultRootWindow(display_);
  {
    X11ErrorTrap trap(display_);
    for (unsigned variant : lockVariants()) {
      XGrabKey(display_, keycode, *mask | variant, root, False, GrabModeAsync, GrabModeAsync);
    }
    if (!trap.sync()) {
      // BadAccess: another client has the combination. Half a grab would
      // fire only with some lock keys on; keep none.
      ungrab(*grab);
      return hotKeyUnavailable;
    }
  }
  XSelectInput(display_, root, KeyPressMask | KeyReleaseMask);
  XFlush(display_);
  void* ref = grab.get();
  grabs_[ref] = std::move(grab);
  if (outRef != nullptr) {
    *outRef = ref;
  }
  return 0;
}

void X11HotKeyRegistrar::ungrab(const Grab& grab) {
  X11ErrorTrap trap(display_);
  const Window root = DefaultRootWindow(display_);
  for (unsigned variant : lockVariants()) {
    XUngrabKey(display_, static_cast<int>(grab.keycode), grab.modifiers | variant, root);
  }
}

std::int32_t X11HotKeyRegistrar::unregisterEventHotKey(HotKeyRef hotKey) {
  auto found = grabs_.find(hotKey);
  if (found == grabs_.end() || display_ == nullptr) {
    return paramError;
  }
  ungrab(*found->second);
  grabs_.erase(found);
  XFlush(display_);
  return 0;
}

std::int32_t X11HotKeyRegistrar::removeEventHandler(EventHandlerRef handler) {
  return handlers_.erase(handler) == 1 ? 0 : paramError;
}

void X11HotKeyRegistrar::readEvents() {
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == KeyPress) {
      keyPressed(event.xkey.keycode, event.xkey.state);
    } else if (event.type == KeyRelease) {
      keyReleased(event.xkey.keycode);
    }
  }
}

void X11HotKeyRegistrar::keyPressed(unsigned keycode, unsigned state) {
  const unsigned ignored = LockMask | numLockMask(display_);
  for (auto& [ref, grab] : grabs_) {
    if (grab->keycode != keycode || (state & ~ignored) != grab->modifiers || grab->held) {
      continue;
    }
    grab->held = true;
    HotKeyID id = grab->id;
    // Handlers may unregister from inside the call; work on a snapshot.
    std::vector<Handler> targets;
    for (const auto& [handlerRef, handler] : handlers_) {
      if (handler->wantsHotKeys) {
        targets.push_back(*handler);
      }
    }
    for (const Handler& handler : targets) {
      handler.proc(nullptr, &id, handler.userData);
    }
    return;
  }
}

void X11HotKeyRegistrar::keyReleased(unsigned keycode) {
  for (auto& [ref, grab] : grabs_) {
    if (grab->keycode == keycode) {
      grab->held = false;
    }
  }
}
