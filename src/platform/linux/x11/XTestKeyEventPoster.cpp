// XTest fake key events. A flag on a macOS event is a state; X has no such
// thing, so the modifier keys themselves are pressed around the key.
#include "platform/linux/x11/XTestKeyEventPoster.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <array>
#include <vector>

#include "platform/linux/KeysymKeyEvent.h"
#include "platform/linux/x11/X11KeyTranslation.h"

namespace {

class XTestSource : public KeyEventPoster::Source {};

constexpr std::array<KeySym, 10> modifierKeysyms{
    XK_Shift_L, XK_Shift_R, XK_Control_L, XK_Control_R, XK_Super_L,
    XK_Super_R, XK_Meta_L,  XK_Meta_R,    XK_Alt_L,     XK_Alt_R,
};

bool isDown(const std::array<char, 32>& keymap, KeyCode keycode) {
  const auto byte = static_cast<unsigned char>(keymap[keycode / 8]);
  return ((byte >> (keycode % 8U)) & 1U) != 0;
}

}  // namespace

XTestKeyEventPoster::XTestKeyEventPoster() : display_(XOpenDisplay(nullptr)) {
  if (display_ == nullptr) {
    return;
  }
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  available_ = XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor) != False;
}

XTestKeyEventPoster::~XTestKeyEventPoster() {
  if (display_ != nullptr) {
    XCloseDisplay(display_);
  }
}

std::unique_ptr<KeyEventPoster::Source> XTestKeyEventPoster::createSource(
    std::int32_t /*stateID*/) {
  if (!available_) {
    return nullptr;
  }
  return std::make_unique<XTestSource>();
}

std::unique_ptr<KeyEventPoster::Event> XTestKeyEventPoster::createKeyboardEvent(
    Source* /*source*/, std::uint16_t virtualKey, bool keyDown) {
  const std::optional<unsigned long> keysym = X11KeyTranslation::keysymForVirtualKey(virtualKey);
  if (!available_ || !keysym) {
    return nullptr;
  }
  return std::make_unique<KeysymKeyEvent>(*keysym, keyDown);
}

void XTestKeyEventPoster::releaseHeldModifiers() {
  std::array<char, 32> keymap{};
  XQueryKeymap(display_, keymap.data());
  for (KeySym keysym : modifierKeysyms) {
    const KeyCode keycode = XKeysymToKeycode(display_, keysym);
    if (keycode != 0 && isDown(keymap, keycode)) {
      XTestFakeKeyEvent(display_, keycode, False, CurrentTime);
    }
  }
}

void XTestKeyEventPoster::post(std::uint32_t /*tap*/, Event& event) {
  auto* key = dynamic_cast<KeysymKeyEvent*>(&event);
  if (key == nullptr || !available_) {
    return;
  }
  const KeyCode keycode = XKeysymToKeycode(display_, key->keysym());
  if (keycode == 0) {
    return;
  }
  std::vector<KeyCode> modifiers;
  for (unsigned long keysym : X11KeyTranslation::modifierKeysymsForFlags(key->flags())) {
    const KeyCode modifier = XKeysymToKeycode(display_, keysym);
    if (modifier != 0) {
      modifiers.push_back(modifier);
    }
  }
  if (key->keyDown()) {
    releaseHeldModifiers();
    for (KeyCode modifier : modifiers) {
      XTestFakeKeyEvent(display_, modifier, True, CurrentTime);
    }
    XTestFakeKeyEvent(display_, keycode, True, CurrentTime);
  } else {
    XTestFakeKeyEvent(display_, keycode, False, CurrentTime);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
      XTestFakeKeyEvent(display_, *it, False, CurrentTime);
    }
  }
  XFlush(display_);
}
