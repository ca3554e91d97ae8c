// A virtual keyboard gets its keymap once, through a memory file, and each
// event then is a modifier state and a key; fake input takes keys alone, so
// the modifiers are pressed around the key. Both are flushed at once. The
// keymap also tells which key types what.
#include "platform/linux/wayland/WaylandKeyEventPoster.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "fake-input-client-protocol.h"
#include "platform/linux/x11/X11KeyTranslation.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

namespace {

class WaylandSource : public KeyEventPoster::Source {};

class WaylandKeyEvent : public KeyEventPoster::Event {
 public:
  WaylandKeyEvent(std::uint32_t key, bool keyDown) : key_(key), keyDown_(keyDown) {}
  void setFlags(std::uint64_t flags) override { flags_ = flags; }
  std::uint32_t key() const { return key_; }
  bool keyDown() const { return keyDown_; }
  std::uint64_t flags() const { return flags_; }

 private:
  std::uint32_t key_;
  bool keyDown_;
  std::uint64_t flags_ = 0;
};

/// Evdev codes sit 8 below XKB's keycodes.
constexpr std::uint32_t evdevOffset = 8;
constexpr std::uint32_t keyReleased = 0;
constexpr std::uint32_t keyPressed = 1;

/// Fake input's keys came with its version 4.
constexpr std::uint32_t fakeInputKeysVersion = 4;

struct Globals {
  const char* wanted = nullptr;
  std::uint32_t seat = 0;
  std::uint32_t manager = 0;
  std::uint32_t managerVersion = 0;
};

void onGlobal(void* data, wl_registry* /*registry*/, std::uint32_t name, const char* interface,
              std::uint32_t version) {
  auto& globals = *static_cast<Globals*>(data);
  if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals.seat == 0) {
    globals.seat = name;
  } else if (std::strcmp(interface, globals.wanted) == 0) {
    globals.manager = name;
    globals.managerVersion = version;
  }
}

void onGlobalRemove(void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

const wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

std::uint32_t milliseconds() {
  return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

const char* modifierName(unsigned long keysym) {
  switch (xkb_keysym_t(keysym)) {
    case XKB_KEY_Shift_L:
    case XKB_KEY_Shift_R:
      return XKB_MOD_NAME_SHIFT;
    case XKB_KEY_Control_L:
    case XKB_KEY_Control_R:
      return XKB_MOD_NAME_CTRL;
    case XKB_KEY_Alt_L:
    case XKB_KEY_Alt_R:
      return XKB_MOD_NAME_ALT;
    case XKB_KEY_Super_L:
    case XKB_KEY_Super_R:
      return XKB_MOD_NAME_LOGO;
    default:
      return nullptr;
  }
}

}  // namespace

WaylandKeyEventPoster::WaylandKeyEventPoster(Protocol protocol) : protocol_(protocol) {
  ready_ = connect() && loadKeymap() && (protocol_ == Protocol::kdeFakeInput || sendKeymap());
}

WaylandKeyEventPoster::~WaylandKeyEventPoster() {
  if (display_ != nullptr) {
    // The connection does not free its proxies when it closes.
    if (keyboard_ != nullptr) {
      zwp_virtual_keyboard_v1_destroy(reinterpret_cast<zwp_virtual_keyboard_v1*>(keyboard_));
    }
    for (wl_proxy* proxy : {manager_, seat_}) {
      if (proxy != nullptr) {
        wl_proxy_destroy(proxy);
      }
    }
    wl_display_flush(display_);
    wl_display_disconnect(display_);
  }
  xkb_keymap_unref(keymap_);
  xkb_context_unref(context_);
}

bool WaylandKeyEventPoster::connect() {
  display_ = wl_display_connect(nullptr);
  if (display_ == nullptr) {
    return false;
  }
  const bool fakeInput = protocol_ == Protocol::kdeFakeInput;
  Globals globals;
  globals.wanted = fakeInput ? kdeFakeInputInterface : virtualKeyboardInterface;
  wl_registry* registry = wl_display_get_registry(display_);
  wl_registry_add_listener(registry, &registryListener, &globals);
  const bool answered = wl_display_roundtrip(display_) >= 0;
  if (answered && fakeInput && globals.managerVersion >= fakeInputKeysVersion) {
    manager_ = static_cast<wl_proxy*>(wl_registry_bind(
        registry, globals.manager, &org_kde_kwin_fake_input_interface, fakeInputKeysVersion));
    org_kde_kwin_fake_input_authenticate(reinterpret_cast<org_kde_kwin_fake_input*>(manager_),
                                         "Pellimore Clip",
                                         "Pastes the entry chosen in its history with Ctrl+V");
  } else if (answered && !fakeInput && globals.seat != 0 && globals.manager != 0) {
    seat_ = static_cast<wl_proxy*>(wl_registry_bind(registry, globals.seat, &wl_seat_interface, 1));
    manager_ = static_cast<wl_proxy*>(
        wl_registry_bind(registry, globals.manager, &zwp_virtual_keyboard_manager_v1_interface, 1));
    keyboard_ = reinterpret_cast<wl_proxy*>(zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(
        reinterpret_cast<zwp_virtual_keyboard_manager_v1*>(manager_),
        reinterpret_cast<wl_seat*>(seat_)));
  }
  // Nothing more is wanted of the registry; without it the compositor's
  // later announcements do not pile up unread.
  wl_registry_destroy(registry);
  return manager_ != nullptr && wl_display_roundtrip(display_) >= 0;
}

bool WaylandKeyEventPoster::loadKeymap() {
  context_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  if (context_ == nullptr) {
    return false;
  }
  // The default rules give the US layout, which types the paste keystroke
  // whatever the user's own layout; a virtual keyboard's events carry it.
  keymap_ = xkb_keymap_new_from_names(context_, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS);
  return keymap_ != nullptr;
}

bool WaylandKeyEventPoster::sendKeymap() {
  char* text = xkb_keymap_get_as_string(keymap_, XKB_KEYMAP_FORMAT_TEXT_V1);
  if (text == nullptr) {
    return false;
  }
  const std::size_t size = std::strlen(text) + 1;
  const int fd = memfd_create("pellimore-clip-keymap", MFD_CLOEXEC);
  const bool written = fd >= 0 && write(fd, text, size) == static_cast<ssize_t>(size);
  std::free(text);  // NOLINT: xkbcommon allocates with malloc
  if (written) {
    zwp_virtual_keyboard_v1_keymap(reinterpret_cast<zwp_virtual_keyboard_v1*>(keyboard_),
                                   WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                   static_cast<std::uint32_t>(size));
  }
  if (fd >= 0) {
    // The request took a copy of the descriptor.
    close(fd);
  }
  return written && wl_display_roundtrip(display_) >= 0;
}

std::unique_ptr<KeyEventPoster::Source> WaylandKeyEventPoster::createSource(
    std::int32_t /*stateID*/) {
  if (!available()) {
    return nullptr;
  }
  return std::make_unique<WaylandSource>();
}

std::unique_ptr<KeyEventPoster::Event> WaylandKeyEventPoster::createKeyboardEvent(
    Source* /*source*/, std::uint16_t virtualKey, bool keyDown) {
  const std::optional<unsigned long> keysym = X11KeyTranslation::keysymForVirtualKey(virtualKey);
  if (!available() || !keysym) {
    return nullptr;
  }
  const std::uint32_t key = keyFor(*keysym);
  if (key == 0) {
    return nullptr;
  }
  return std::make_unique<WaylandKeyEvent>(key, keyDown);
}

void WaylandKeyEventPoster::post(std::uint32_t /*tap*/, Event& event) {
  auto* key = dynamic_cast<WaylandKeyEvent*>(&event);
  if (key == nullptr || !available()) {
    return;
  }
  if (protocol_ == Protocol::kdeFakeInput) {
    postFakeInput(key->key(), key->keyDown(), key->flags());
  } else if (key->keyDown()) {
    // The modifiers hold only around the key: the user's own, such as the
    // hot key's Shift, are not ours to report.
    auto* keyboard = reinterpret_cast<zwp_virtual_keyboard_v1*>(keyboard_);
    zwp_virtual_keyboard_v1_modifiers(keyboard, modifierMask(key->flags()), 0, 0, 0);
    zwp_virtual_keyboard_v1_key(keyboard, milliseconds(), key->key(), keyPressed);
  } else {
    auto* keyboard = reinterpret_cast<zwp_virtual_keyboard_v1*>(keyboard_);
    zwp_virtual_keyboard_v1_key(keyboard, milliseconds(), key->key(), keyReleased);
    zwp_virtual_keyboard_v1_modifiers(keyboard, 0, 0, 0, 0);
  }
  wl_display_flush(display_);
}

void WaylandKeyEventPoster::postFakeInput(std::uint32_t key, bool keyDown, std::uint64_t flags) {
  auto* fakeInput = reinterpret_cast<org_kde_kwin_fake_input*>(manager_);
  std::vector<std::uint32_t> modifiers;
  for (unsigned long keysym : X11KeyTranslation::modifierKeysymsForFlags(flags)) {
    if (const std::uint32_t modifier = keyFor(keysym); modifier != 0) {
      modifiers.push_back(modifier);
    }
  }
  if (keyDown) {
    for (std::uint32_t modifier : modifiers) {
      org_kde_kwin_fake_input_keyboard_key(fakeInput, modifier, keyPressed);
    }
    org_kde_kwin_fake_input_keyboard_key(fakeInput, key, keyPressed);
    return;
  }
  org_kde_kwin_fake_input_keyboard_key(fakeInput, key, keyReleased);
  for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier) {
    org_kde_kwin_fake_input_keyboard_key(fakeInput, *modifier, keyReleased);
  }
}

std::uint32_t WaylandKeyEventPoster::keyFor(unsigned long keysym) const {
  for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap_);
       code <= xkb_keymap_max_keycode(keymap_); ++code) {
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap_, code, 0, 0, &syms);
    for (int i = 0; i < count; ++i) {
      if (syms[i] == keysym) {
        return code - evdevOffset;
      }
    }
  }
  return 0;
}

std::uint32_t WaylandKeyEventPoster::modifierMask(std::uint64_t flags) const {
  std::uint32_t mask = 0;
  for (unsigned long keysym : X11KeyTranslation::modifierKeysymsForFlags(flags)) {
    const char* name = modifierName(keysym);
    const xkb_mod_index_t index =
        name != nullptr ? xkb_keymap_mod_get_index(keymap_, name) : XKB_MOD_INVALID;
    if (index != XKB_MOD_INVALID) {
      mask |= 1U << index;
    }
  }
  return mask;
}
